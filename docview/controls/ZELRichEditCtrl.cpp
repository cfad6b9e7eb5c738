#include "docview/controls/ZELRichEditCtrl.h"

#include "chart/model/GrText.h"
#include "docview/controls/ContextMenus.h"
#include "framework/core/Clipboard.h"
#include "framework/core/CmdTarget.h"
#include "framework/core/MenuResource.h"
#include "framework/ui/QtText.h"

#include <QApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <vector>

FW_IMPLEMENT_DYNAMIC(CZELRichEditCtrl, fw::CControl)

FW_BEGIN_COMMANDS(CZELRichEditCtrl, fw::CControl)
    FW_ON_COMMAND(CZELRichEditCtrl::kIdSuperscript, &CZELRichEditCtrl::OnSuperscript)
    FW_ON_UPDATE(CZELRichEditCtrl::kIdNormal, &CZELRichEditCtrl::UpdateSuperscript)
FW_END_COMMANDS

namespace {

constexpr int kHeightProperty = QTextFormat::UserProperty + 1;
constexpr int kOffsetProperty = QTextFormat::UserProperty + 2;
constexpr int kMarkerLength = 6;

void EnsureEditMenu()
{
    if (fw::FindMenuResource(CZELRichEditCtrl::kEditMenu))
        return;
    using M = fw::MenuResource;
    fw::RegisterMenuResource(CZELRichEditCtrl::kEditMenu,
                             M::Popup("", {M::Popup("編集(&E)", {
                                                                  M::Item("元に戻す", 57643),
                                                                  M::Separator(),
                                                                  M::Item("切り取り", 57635),
                                                                  M::Item("コピー", 57634),
                                                                  M::Item("貼り付け", 57637),
                                                                  M::Item("消去", 57632),
                                                                  M::Separator(),
                                                                  M::Item("すべて選択", 57642),
                                                                  M::Separator(),
                                                                  M::Item("上付き", CZELRichEditCtrl::kIdSuperscript),
                                                                  M::Item("標準", CZELRichEditCtrl::kIdNormal),
                                                              })}));
}

// One character run of the document with its raise.
struct Run {
    QString text;
    int32_t offset;
};

} // namespace

CZELRichEditCtrl::CZELRichEditCtrl()
{
    auto* edit = new QTextEdit;
    edit->setAcceptRichText(false);
    Attach(edit);
    // The default format follows the window's font (twips = points x 20).
    const double points = edit->font().pointSizeF();
    m_default.dwMask = CharFormatTwips::CFM_SIZE | CharFormatTwips::CFM_OFFSET;
    m_default.yHeight = points > 0 ? static_cast<int32_t>(points * 20.0) : 180;
    m_default.yOffset = 0;
    QObject::connect(edit, &QTextEdit::textChanged, [this] { Notify(fw::EN_CHANGE); });
    appctl::RouteContextMenu(edit, [this](fw::CPoint at) { OnContextMenu(this, at); });
}

QTextEdit* CZELRichEditCtrl::TextEdit() const
{
    return static_cast<QTextEdit*>(Widget());
}

CharFormatTwips CZELRichEditCtrl::MarkupSuperFormat(const CharFormatTwips& normal)
{
    CharFormatTwips f = normal;
    f.dwMask = CharFormatTwips::CFM_SIZE | CharFormatTwips::CFM_OFFSET;
    f.yOffset = static_cast<int32_t>(0.2f * static_cast<float>(normal.yHeight));
    f.yHeight = 10 * static_cast<int32_t>(0.09f * static_cast<float>(normal.yHeight));
    return f;
}

CharFormatTwips CZELRichEditCtrl::CommandSuperFormat(const CharFormatTwips& normal)
{
    CharFormatTwips f = normal;
    f.dwMask = CharFormatTwips::CFM_SIZE | CharFormatTwips::CFM_OFFSET;
    f.yOffset = static_cast<int32_t>(0.2f * static_cast<float>(normal.yHeight));
    f.yHeight = static_cast<int32_t>(0.9f * static_cast<float>(normal.yHeight));
    return f;
}

QTextCharFormat CZELRichEditCtrl::QtFormat(const CharFormatTwips& format) const
{
    QTextCharFormat q;
    if (format.dwMask & CharFormatTwips::CFM_SIZE) {
        q.setProperty(kHeightProperty, format.yHeight);
        if (format.yHeight > 0)
            q.setFontPointSize(format.yHeight / 20.0);
    }
    if (format.dwMask & CharFormatTwips::CFM_OFFSET) {
        q.setProperty(kOffsetProperty, format.yOffset);
        const int32_t height = format.yHeight > 0 ? format.yHeight : m_default.yHeight;
        q.setBaselineOffset(height > 0 ? 100.0 * format.yOffset / height : 0.0);
    }
    return q;
}

void CZELRichEditCtrl::SetDefaultCharFormat(const CharFormatTwips& format)
{
    if (format.dwMask & CharFormatTwips::CFM_SIZE)
        m_default.yHeight = format.yHeight;
    if (format.dwMask & CharFormatTwips::CFM_OFFSET)
        m_default.yOffset = format.yOffset;
}

CharFormatTwips CZELRichEditCtrl::GetSelectionCharFormat() const
{
    QTextCursor cursor = TextEdit()->textCursor();
    QTextCursor probe(TextEdit()->document());
    probe.setPosition(cursor.selectionStart());
    if (cursor.hasSelection())
        probe.movePosition(QTextCursor::NextCharacter);
    const QTextCharFormat q = probe.charFormat();
    CharFormatTwips f = m_default;
    f.dwMask = CharFormatTwips::CFM_SIZE | CharFormatTwips::CFM_OFFSET;
    if (q.hasProperty(kHeightProperty))
        f.yHeight = q.intProperty(kHeightProperty);
    if (q.hasProperty(kOffsetProperty))
        f.yOffset = q.intProperty(kOffsetProperty);
    return f;
}

void CZELRichEditCtrl::SetSelectionCharFormat(const CharFormatTwips& format)
{
    QTextCursor cursor = TextEdit()->textCursor();
    const QTextCharFormat q = QtFormat(format);
    if (cursor.hasSelection())
        cursor.mergeCharFormat(q);
    // Typing at the caret continues in the format.
    TextEdit()->mergeCurrentCharFormat(q);
}

void CZELRichEditCtrl::SetWindowText(const fw::CString& text)
{
    TextEdit()->setPlainText(fw::ToQ(text));
}

fw::CString CZELRichEditCtrl::GetWindowText() const
{
    return fw::FromQ(TextEdit()->toPlainText());
}

int CZELRichEditCtrl::GetTextLength() const
{
    return static_cast<int>(TextEdit()->toPlainText().size());
}

void CZELRichEditCtrl::SetSel(int start, int end)
{
    QTextCursor cursor(TextEdit()->document());
    const int length = GetTextLength();
    if (end < 0 || end > length)
        end = length;
    start = std::clamp(start, 0, length);
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    TextEdit()->setTextCursor(cursor);
}

void CZELRichEditCtrl::GetSel(int& start, int& end) const
{
    const QTextCursor cursor = TextEdit()->textCursor();
    start = cursor.selectionStart();
    end = cursor.selectionEnd();
}

uint32_t CZELRichEditCtrl::SetMarkupMode(uint32_t flags)
{
    const uint32_t old = m_dwMode;
    m_dwMode = flags;
    return old;
}

void CZELRichEditCtrl::SetMarkupWindowText(const fw::CString& text)
{
    if (!(m_dwMode & kMarkupMode)) {
        SetWindowText(text);
        return;
    }
    TextEdit()->clear();
    SetMarkupText(text);
}

void CZELRichEditCtrl::GetMarkupText(fw::CString& text) const
{
    if (!(m_dwMode & kMarkupMode)) {
        text = GetWindowText();
        return;
    }
    // The document's characters with their raises; a paragraph break is a
    // line end in the format it was typed or inserted with.
    auto offsetOf = [this](const QTextCharFormat& q) {
        return q.hasProperty(kOffsetProperty) ? q.intProperty(kOffsetProperty) : m_default.yOffset;
    };
    std::vector<Run> runs;
    for (QTextBlock block = TextEdit()->document()->begin(); block.isValid(); block = block.next()) {
        if (block != TextEdit()->document()->begin())
            runs.push_back({QStringLiteral("\n"), offsetOf(block.charFormat())});
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            runs.push_back({fragment.text(), offsetOf(fragment.charFormat())});
        }
    }
    QString result;
    QString run;
    int32_t current = m_default.yOffset;
    bool super = false;
    auto flush = [&] {
        if (super)
            result += QStringLiteral("\\super") + run + QStringLiteral("\\super");
        else
            result += run;
        run.clear();
    };
    for (const Run& r : runs) {
        if (r.offset != current) {
            flush();
            current = r.offset;
            super = !super;
        }
        run += r.text;
    }
    flush();
    text = fw::FromQ(result);
}

void CZELRichEditCtrl::SetMarkupText(const fw::CString& markup, int)
{
    CharFormatTwips normal = m_default;
    normal.dwMask = CharFormatTwips::CFM_SIZE | CharFormatTwips::CFM_OFFSET;
    const CharFormatTwips super = MarkupSuperFormat(normal);
    fw::CString text = markup;
    bool inSuper = false;
    while (text.Find(kSuperMarker) == 0) {
        text = text.Mid(kMarkerLength);
        inSuper = !inSuper;
    }
    QTextCursor cursor = TextEdit()->textCursor();
    for (;;) {
        const int at = text.Find(kSuperMarker);
        const fw::CString part = at < 0 ? text : text.Left(at);
        cursor.insertText(fw::ToQ(part), QtFormat(inSuper ? super : normal));
        if (at < 0)
            break;
        text = text.Mid(at + kMarkerLength);
        inSuper = !inSuper;
    }
    TextEdit()->setTextCursor(cursor);
    TextEdit()->setCurrentCharFormat(QtFormat(normal));
}

bool CZELRichEditCtrl::HasKeyboardFocus() const
{
    return Widget() && QApplication::focusWidget() == Widget();
}

void CZELRichEditCtrl::UpdateSuperscript(fw::CCmdUI* ui)
{
    ui->Enable(HasKeyboardFocus() && (m_dwMode & kMarkupMode) != 0);
}

void CZELRichEditCtrl::ApplyCharFormat(unsigned commandId)
{
    if (!HasKeyboardFocus())
        return;
    CharFormatTwips format = m_default;
    format.dwMask = CharFormatTwips::CFM_SIZE | CharFormatTwips::CFM_OFFSET;
    if (commandId == kIdSuperscript)
        format = CommandSuperFormat(format);
    SetSelectionCharFormat(format);
}

void CZELRichEditCtrl::OnSuperscript()
{
    ApplyCharFormat(kIdSuperscript);
}

void CZELRichEditCtrl::UpdateCopyCut(fw::CCmdUI* ui)
{
    int start = 0, end = 0;
    GetSel(start, end);
    ui->Enable(start != end);
}

void CZELRichEditCtrl::UpdateSelectAll(fw::CCmdUI* ui)
{
    int start = 0, end = 0;
    GetSel(start, end);
    ui->Enable(!(start == 0 && end == GetTextLength()));
}

void CZELRichEditCtrl::UpdatePaste(fw::CCmdUI* ui)
{
    ui->Enable(fw::Clipboard().HasText());
}

void CZELRichEditCtrl::OnContextMenu(fw::CWnd*, fw::CPoint point)
{
    EnsureEditMenu();
    appctl::TrackControlMenu(kEditMenu, *this, point);
}
