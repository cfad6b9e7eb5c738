#include "app/shell/CfStatusBtn.h"

#include "framework/core/Format.h"
#include "instrument/Kiv406ErrStr.h"

#include <QAbstractButton>

CCfStatusBtn::CCfStatusBtn() : fw::CButton(fw::CButton::Kind::push)
{
}

void CCfStatusBtn::SetFaceColor(uint32_t color)
{
    m_color = color;
    if (QAbstractButton* button = Button()) {
        const unsigned r = color & 0xFF;
        const unsigned g = (color >> 8) & 0xFF;
        const unsigned b = (color >> 16) & 0xFF;
        button->setStyleSheet(QStringLiteral("background-color: rgb(%1, %2, %3);").arg(r).arg(g).arg(b));
    }
}

void CCfStatusBtn::SetStatus(int statusCode, int16_t freeSpace)
{
    if (statusCode == m_lastStatus && freeSpace == m_lastSpace)
        return;
    m_lastStatus = statusCode;
    m_lastSpace = freeSpace;
    ++m_paints;
    if (statusCode != 0) {
        SetFaceColor(statusCode == kNoCardCode ? kYellow : kRed);
        // The unit's texts end in their bracketed code ("[ERROR-50]").
        CKiv406ErrStr texts;
        fw::CString text = texts.GetText(statusCode);
        const int bracket = text.Find('[');
        SetWindowText(bracket >= 0 ? text.Left(bracket) : text);
        return;
    }
    SetWindowText(freeSpace < 0 ? fw::CString() : fw::Format("%d%%", static_cast<int>(freeSpace)));
    SetFaceColor(kButtonFace);
}
