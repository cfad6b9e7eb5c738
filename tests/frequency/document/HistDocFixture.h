#pragma once

// A record of four analyses as an import leaves it: a PEAK/V analysis with
// 3 plus and 2 minus slices and the counts 1..10, a TIME analysis sampled
// every 10 ms, a MAX/MIN analysis of the same input channel as the first,
// and an AMP analysis of a calculated channel; the record started
// 2009-03-04 05:06:07.

#include "frequency/model/HistCountArray.h"
#include "frequency/model/HistTables.h"
#include "tests/frequency/FrequencyTestSupport.h"

#include <memory>
#include <numeric>
#include <vector>

namespace histtest {

inline void Fill(CHistCountObj& h, int first)
{
    std::vector<uint32_t> counts(static_cast<size_t>(h.GetWordCount()));
    std::iota(counts.begin(), counts.end(), static_cast<uint32_t>(first));
    h.CreateCountTank();
    h.SetCounts(0, counts.data(), static_cast<int>(counts.size()));
}

inline CHistCountObj* FixtureAnalysis(const char* name, int16_t op, int16_t channel, int16_t plus, int16_t minus)
{
    auto* h = new CHistCountObj;
    h->m_name = name;
    h->m_operation = op;
    h->m_inputChannel = channel;
    h->m_plusSlices = plus;
    h->m_minusSlices = minus;
    h->m_intResolution = 1.0f;
    h->m_coefficient = 1.0f;
    h->m_scaleFactor = 1.0f;
    return h;
}

inline std::unique_ptr<CHistCountArray> FixtureRecord()
{
    auto a = std::make_unique<CHistCountArray>();
    a->m_startTime = {{9, 3, 4, 5, 6, 7}};
    a->m_endTime = {{9, 3, 5, 6, 8, 9}};
    a->m_measuringTime = 25 * 3600 + 3 * 60;
    a->m_rate = 1000.0f;

    CHistCountObj* peak = FixtureAnalysis("DN_1", kHistPeakValley, 3, 3, 2);
    peak->m_comment = "荷重, 左";
    peak->m_rawFullScale = 2000;
    peak->m_fullScale = 1000.0f;
    peak->m_scaleFactor = 0.5f;
    peak->m_coefficient = 0.5f;
    peak->m_rawHysteresis = 200;
    peak->m_hysteresis = 10.0f;
    peak->m_unitIndex = 10;
    peak->m_max = 1800.0f;
    peak->m_min = -600.0f;
    peak->m_average = 300.0f;
    peak->m_maxTime = {{9, 3, 4, 5, 30, 1}};
    peak->m_minTime = {{9, 3, 4, 6, 0, 59}};
    peak->m_plusOver = 4;
    peak->m_minusOver = 2;
    peak->m_sensorMode = 21;
    peak->m_filter = 100;
    peak->m_ratedOutput = 2.0f;
    peak->m_capacity = 50.0f;
    peak->m_displayFormat = 1;
    Fill(*peak, 1);

    CHistCountObj* time = FixtureAnalysis("DN_2", kHistTime, 5, 2, 1);
    time->m_sampleTime = 10.0f;
    time->m_unitIndex = -1;
    time->m_unitText = "rpm*";
    Fill(*time, 100);

    CHistCountObj* maxMin = FixtureAnalysis("DN_3", kHistMaxMin, 3, 2, 2);
    maxMin->m_rawCrossLevel = 250;
    maxMin->m_crossLevel = 250.0f;
    maxMin->m_highPass = 0.0f;
    Fill(*maxMin, 20);

    CHistCountObj* amp = FixtureAnalysis("DN_4", kHistAmp, 501, 1, 1);
    amp->m_highPass = 2.5f;
    amp->m_dmc = 1;
    Fill(*amp, 7);

    for (CHistCountObj* h : {peak, time, maxMin, amp})
        a->Add(h);
    return a;
}

} // namespace histtest
