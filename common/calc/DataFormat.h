#pragma once

// The number-format table: display format codes, the texts of the format
// menu and the menu commands that choose them. Code -9999 is "no format"
// (the empty text, command 0).

#include "framework/core/CString.h"

#include <cstdint>
#include <map>
#include <vector>

class CDataFormat {
public:
    // One item of the format menu, in menu order (nested popups walked in
    // place).
    struct MenuItem {
        fw::CString text;
        unsigned command = 0;
    };

    // The items of the program's format menu ("0" .. "0.0000000", commands
    // 32798 .. 32805).
    CDataFormat();
    // The table of a menu's items: each takes the next code of the fixed
    // code list (0..7, 50..57, 107, 109, 100, 101); items beyond it are
    // left out.
    explicit CDataFormat(const std::vector<MenuItem>& items);

    static std::vector<MenuItem> DefaultMenuItems();

    // The empty text for a code without one.
    void GetFormatText(int16_t code, fw::CString& text) const;
    fw::CString GetFormatText(int16_t code) const;
    // -9999 for an id that is no format command.
    int16_t GetFormatCode(unsigned commandId) const;
    // The code of exactly this text; 0 when none has it, -9999 for the
    // empty text.
    int16_t FindFormatCode(const fw::CString& text) const;

private:
    void Build(const std::vector<MenuItem>& items);

    std::map<int16_t, fw::CString> m_texts;
    std::map<unsigned, int16_t> m_codes;
};

// The table of the main window, which the column tanks use: the installed
// one, else one built from the program's format menu.
const CDataFormat& MainFormatTable();
// Installs the main window's table (null: back to the built-in one). Keep it
// alive while installed.
void InstallMainFormatTable(const CDataFormat* table);
