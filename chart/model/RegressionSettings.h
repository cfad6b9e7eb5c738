#pragma once

// The settings and results of a graph's regression line: one 136-byte
// record, stored raw in the graph's archive (little-endian).

#include <cstddef>
#include <cstdint>

struct tRegressionSettings {
    int16_t recompute = 0;   // non-zero: fit again before use
    int16_t invalid = 0;     // non-zero: the last fit had fewer than two points
    int16_t degree = 1;      // 0 to 9
    int16_t curvePoints = 0; // points of the drawn curve; 0 or less draws nothing
    int16_t square = 0;      // store r squared
    int16_t plotRange = 0;   // draw over the plot's X range, else the data's
    uint8_t reserved1[4] = {};
    double coefficients[10] = {}; // constant term first
    uint8_t reserved2[8] = {};
    double correlation = 0.0;
    double xMin = 0.0;
    double xMax = 0.0;
    int16_t color = 0; // palette index
    int16_t lineWidth = 1;
    int16_t lineHeight = 1;
    uint8_t reserved3[2] = {};
};
static_assert(sizeof(tRegressionSettings) == 136);
static_assert(offsetof(tRegressionSettings, coefficients) == 16);
static_assert(offsetof(tRegressionSettings, correlation) == 104);
static_assert(offsetof(tRegressionSettings, xMin) == 112);
static_assert(offsetof(tRegressionSettings, color) == 128);
