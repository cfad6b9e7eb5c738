#pragma once

// The settings of the conversion of frequency-data files chosen in the
// project's frequency history, kept by the program between runs of their
// dialog.

#include "common/base/DocIdent.h"
#include "framework/core/CString.h"

#include <cstdint>
#include <vector>

struct CHistFileTextParam {
    // Formats of the dialog's radio group.
    enum Format : int { kFormatText = 0, kFormatCsv = 1, kFormatVo8025 = 2 };
    // Kinds of conversion.
    enum Kind : int { kKindOwnText = 1, kKindVo8025 = 2 };

    // The radio button a kind and a separator choose.
    int GetFormat() const { return m_kind == kKindVo8025 ? kFormatVo8025 : m_commaSeparated; }
    // Kind and separator of a chosen radio button.
    void SetFormat(int format)
    {
        m_kind = format == kFormatVo8025 ? kKindVo8025 : kKindOwnText;
        m_commaSeparated = format == kFormatText ? 0 : 1;
    }

    int m_inputChannels = 0; // VO-8025: the input-channel block
    int m_conditions = 0;    // VO-8025: the analysis-conditions block
    int m_mmData = 0;        // VO-8025: the M/M data block
    int m_commaSeparated = 0; // 0 ".TXT" text, 1 ".CSV"
    int m_kind = 0;
    CDocIdent m_document;
    std::vector<uint32_t> m_list;
    int m_value1 = 0;
    int m_value2 = 0;
    fw::CString m_folder; // empty: the project's data folder
};
