#include "grid/views/GridRichWnd.h"

#include "docview/controls/ContextMenus.h"
#include "docview/instrumentdlg/KivUnitMenu.h"
#include "framework/core/Clipboard.h"
#include "framework/core/CmdTarget.h"
#include "framework/core/MenuResource.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/QtText.h"
#include "framework/ui/WndBridge.h"
#include "grid/model/PaneStyle.h"
#include "grid/views/GridPane.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTextCursor>
#include <QTextEdit>

FW_IMPLEMENT_DYNAMIC(CZELGridRichWnd, CZELRichEditCtrl)
FW_IMPLEMENT_DYNAMIC(CZELDegitEditWnd, CZELGridRichWnd)
FW_IMPLEMENT_DYNAMIC(CUnitEditWnd, CZELGridRichWnd)

namespace {

void EnsureEditorMenu()
{
    if (fw::FindMenuResource(CZELGridRichWnd::kContextMenu))
        return;
    using M = fw::MenuResource;
    fw::RegisterMenuResource(CZELGridRichWnd::kContextMenu,
                             M::Popup("", {M::Popup("", {
                                                            M::Item("元に戻す(&U)", 57643),
                                                            M::Separator(),
                                                            M::Item("切り取り(&T)", 57635),
                                                            M::Item("ｺﾋﾟｰ(&C)", 57634),
                                                            M::Item("貼り付け(&P)", 57637),
                                                            M::Item("消去(&D)", 57632),
                                                            M::Separator(),
                                                            M::Item("すべて選択", 57642),
                                                            M::Separator(),
                                                            M::Item("上付き", 57340),
                                                            M::Item("標準", 57341),
                                                        })}));
}

// Watches the editor's widget for the keys and focus changes that end an edit.
class EditorFilter final : public QObject {
public:
    EditorFilter(CZELGridRichWnd* editor, QObject* parent) : QObject(parent), m_editor(editor) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        bool used = false;
        switch (event->type()) {
        case QEvent::KeyPress:
            m_editor->Guard([&] { used = m_editor->FilterKey(static_cast<QKeyEvent*>(event)); });
            return used;
        case QEvent::FocusOut:
            m_editor->Guard([&] { m_editor->OnEditorFocusOut(); });
            return false;
        case QEvent::MouseButtonPress:
            m_editor->OnEditorClick();
            return false;
        default:
            return QObject::eventFilter(watched, event);
        }
    }

private:
    CZELGridRichWnd* m_editor;
};

} // namespace

CZELGridRichWnd::CZELGridRichWnd()
{
    SetDlgCtrlID(kEditorId);
    QTextEdit* edit = TextEdit();
    edit->setFrameShape(QFrame::NoFrame);
    edit->setLineWrapMode(QTextEdit::NoWrap);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setTabChangesFocus(false);
    auto* filter = new EditorFilter(this, edit);
    edit->installEventFilter(filter);
    edit->viewport()->installEventFilter(filter);
    m_pFilter = filter;
}

CZELGridRichWnd::~CZELGridRichWnd()
{
    m_bClosing = true;
    delete m_pFilter;
}

void CZELGridRichWnd::DisposeLater(CZELGridRichWnd* editor)
{
    if (!editor)
        return;
    editor->m_bClosing = true;
    if (QWidget* w = editor->Widget())
        w->hide();
    QMetaObject::invokeMethod(qApp, [editor] { delete editor; }, Qt::QueuedConnection);
}

bool CZELGridRichWnd::Place(CZELGridPane* pane, const fw::CRect& rect, uint32_t markup)
{
    m_pPane = pane;
    m_nMarkup = markup;
    SetMarkupMode(markup & kMarkupSuper);
    QTextEdit* edit = TextEdit();
    if (QWidget* parent = pane ? pane->Widget() : nullptr)
        edit->setParent(parent);
    edit->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    if (pane && pane->GetPaneStyle()) {
        // The pane's font: its face, and twips = tenths of a point x 2, not bold.
        const LOGFONT& lf = pane->GetPaneStyle()->m_format.lf;
        QFont font(fw::ToQ(lf.GetFaceName()));
        font.setPointSizeF(lf.lfHeight / 10.0);
        font.setBold(false);
        edit->setFont(font);
        CharFormatTwips normal;
        normal.dwMask = CharFormatTwips::CFM_SIZE | CharFormatTwips::CFM_OFFSET;
        normal.yHeight = lf.lfHeight * 2;
        SetDefaultCharFormat(normal);
    }
    edit->document()->setDocumentMargin(1);
    edit->show();
    return true;
}

bool CZELGridRichWnd::CreateForMouse(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                     uint32_t markup)
{
    Place(pane, rect, markup);
    SetText(text);
    QTextEdit* edit = TextEdit();
    edit->setFocus();
    edit->moveCursor(QTextCursor::End);
    return true;
}

bool CZELGridRichWnd::CreateForKey(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text, unsigned ch,
                                   unsigned key, uint32_t markup)
{
    Place(pane, rect, markup);
    SetText(text);
    QTextEdit* edit = TextEdit();
    edit->selectAll();
    edit->setFocus();
    const QKeyEvent* typed = pane ? pane->TypedKey() : nullptr;
    if (key && typed) {
        QKeyEvent press(QEvent::KeyPress, typed->key(), typed->modifiers(), typed->text());
        QKeyEvent release(QEvent::KeyRelease, typed->key(), typed->modifiers(), typed->text());
        QApplication::sendEvent(edit, &press);
        QApplication::sendEvent(edit, &release);
    } else if (ch) {
        const QString t(QChar(static_cast<char16_t>(ch)));
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, t);
        QApplication::sendEvent(edit, &press);
    }
    return true;
}

void CZELGridRichWnd::DeliverInputMethod(QInputMethodEvent* event)
{
    QInputMethodEvent copy(event->preeditString(), event->attributes());
    copy.setCommitString(event->commitString(), event->replacementStart(), event->replacementLength());
    QApplication::sendEvent(TextEdit(), &copy);
}

void CZELGridRichWnd::UpdateFormatCommands(fw::CCmdUI* ui)
{
    ui->Enable(HasKeyboardFocus() && (m_nMarkup & kMarkupSuper));
}

void CZELGridRichWnd::ApplyFormatCommand(unsigned id)
{
    ApplyCharFormat(id == kIdSuperscript ? kIdSuperscript : kIdNormal);
}

uint32_t CZELGridRichWnd::SetMarkupFlags(uint32_t flags)
{
    const uint32_t old = m_nMarkup;
    m_nMarkup = flags;
    SetMarkupMode(flags & kMarkupSuper);
    return old;
}

void CZELGridRichWnd::SetText(const fw::CString& text)
{
    if (m_nMarkup & kMarkupSuper)
        SetMarkupWindowText(text);
    else
        SetWindowText(text);
}

fw::CString CZELGridRichWnd::GetText() const
{
    if (!(m_nMarkup & kMarkupSuper))
        return GetWindowText();
    fw::CString text;
    GetMarkupText(text);
    return text;
}

void CZELGridRichWnd::InsertMarkupText(const fw::CString& text)
{
    SetMarkupText(text);
}

void CZELGridRichWnd::ReplaceSel(const fw::CString& text)
{
    TextEdit()->textCursor().insertText(fw::ToQ(text));
}

bool CZELGridRichWnd::HasKeyboardFocus() const
{
    const QWidget* edit = Widget();
    const QWidget* focus = QApplication::focusWidget();
    return edit && focus && (focus == edit || edit->isAncestorOf(focus));
}

void CZELGridRichWnd::MoveInPane(const fw::CRect& rect)
{
    QWidget* edit = Widget();
    if (!edit || !m_pPane)
        return;
    const fw::CRect client = m_pPane->GetClientRect();
    const bool inside = rect.left >= client.left && rect.top >= client.top && rect.left < client.right
                        && rect.top < client.bottom;
    edit->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    if (!inside) {
        edit->hide();
    } else if (!edit->isVisible()) {
        edit->show();
        if (QWidget* pane = m_pPane->Widget())
            pane->setFocus();
        edit->setFocus();
    }
}

bool CZELGridRichWnd::FilterKey(QKeyEvent* event)
{
    if (m_bClosing || !m_pPane)
        return false;
    const unsigned key = fw::VirtualKeyOf(event->key());
    const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    const bool ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
    m_bLastShift = shift;
    switch (key) {
    case vk::Return:
    case vk::Prior:
    case vk::Next:
    case vk::End:
    case vk::Home:
    case vk::Up:
    case vk::Down:
    case vk::Tab:
    case vk::Escape:
        m_pPane->EndEdit(key);
        return true;
    case vk::Left:
    case vk::Right:
        if (m_bCaretMoved || shift || ctrl) {
            m_bCaretMoved = true;
            return false;
        }
        m_pPane->EndEdit(key);
        return true;
    default:
        break;
    }
    const QString text = event->text();
    if (text.isEmpty() || !text[0].isPrint())
        return false;
    const unsigned ch = text[0].unicode();
    if (m_strSwallow.Find(fw::FromQ(text.left(1)).c_str()) >= 0 && !m_strSwallow.IsEmpty())
        return true;
    return !AcceptChar(ch);
}

void CZELGridRichWnd::OnEditorFocusOut()
{
    if (m_bClosing || !m_pPane)
        return;
    m_pPane->Invalidate(false);
    // A click on the pane itself ends the edit there, where a refused
    // text also stops the click.
    if (QApplication::focusWidget() && QApplication::focusWidget() == m_pPane->Widget())
        return;
    if (m_bEndOnKillFocus)
        m_pPane->EndEdit(0);
}

void CZELGridRichWnd::OnContextMenu(fw::CWnd*, fw::CPoint point)
{
    EnsureEditorMenu();
    appctl::TrackControlMenu(static_cast<unsigned>(m_nMenuId), *this, point);
}

bool CZELDegitEditWnd::AcceptChar(unsigned ch) const
{
    if ((ch >= '0' && ch <= '9') || ch < 0x20)
        return true;
    return ch < 0x80 && m_strAllowed.Find(static_cast<char>(ch)) >= 0;
}

void CUnitEditWnd::OnContextMenu(fw::CWnd*, fw::CPoint point)
{
    TrackUnitEditMenu(*this, point);
}
