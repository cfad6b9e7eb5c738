#include "framework/ui/Controls.h"

#include "framework/ui/QtText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace fw {

FW_IMPLEMENT_DYNAMIC(CControl, CWnd)
FW_IMPLEMENT_DYNAMIC(CStatic, CControl)
FW_IMPLEMENT_DYNAMIC(CEdit, CControl)
FW_IMPLEMENT_DYNAMIC(CButton, CControl)
FW_IMPLEMENT_DYNAMIC(CComboBox, CControl)
FW_IMPLEMENT_DYNAMIC(CListBox, CControl)

namespace {

constexpr int kDataRole = Qt::UserRole + 1;

bool IndexOk(int index, int count)
{
    return index >= 0 && index < count;
}

} // namespace

void CControl::Notify(int code)
{
    if (m_notify)
        Guard([&] { m_notify->OnCmdMsg(static_cast<unsigned>(GetDlgCtrlID()), code, nullptr); });
}

// --- CStatic ---------------------------------------------------------------

CStatic::CStatic()
{
    Attach(new QLabel);
}

QLabel* CStatic::Label() const { return static_cast<QLabel*>(Widget()); }

void CStatic::SetWindowText(const CString& text)
{
    if (Label())
        Label()->setText(ToQ(text));
}

CString CStatic::GetWindowText() const
{
    return Label() ? FromQ(Label()->text()) : CString();
}

// --- CEdit -----------------------------------------------------------------

CEdit::CEdit()
{
    auto* edit = new QLineEdit;
    Attach(edit);
    // As on Windows, every change notifies, also one made by the program.
    QObject::connect(edit, &QLineEdit::textChanged, [this] { Notify(EN_CHANGE); });
    QObject::connect(edit, &QLineEdit::textEdited, [this] { Notify(EN_USERCHANGE); });
    QObject::connect(edit, &QLineEdit::editingFinished, [this] { Notify(EN_KILLFOCUS); });
}

QLineEdit* CEdit::Line() const { return static_cast<QLineEdit*>(Widget()); }

void CEdit::SetWindowText(const CString& text)
{
    if (Line())
        Line()->setText(ToQ(text));
}

CString CEdit::GetWindowText() const
{
    return Line() ? FromQ(Line()->text()) : CString();
}

void CEdit::SetSel(int start, int end, bool)
{
    if (!Line())
        return;
    const int length = static_cast<int>(Line()->text().size());
    if (start < 0) {
        Line()->deselect();
        return;
    }
    if (end < 0 || end > length)
        end = length;
    start = std::min(start, length);
    Line()->setSelection(start, end - start);
}

void CEdit::GetSel(int& start, int& end) const
{
    start = end = 0;
    if (!Line())
        return;
    if (Line()->hasSelectedText()) {
        start = Line()->selectionStart();
        end = Line()->selectionEnd();
    } else {
        start = end = Line()->cursorPosition();
    }
}

void CEdit::ReplaceSel(const CString& text, bool)
{
    if (Line())
        Line()->insert(ToQ(text));
}

void CEdit::SetReadOnly(bool readOnly)
{
    if (Line())
        Line()->setReadOnly(readOnly);
}

void CEdit::LimitText(int chars)
{
    if (Line())
        Line()->setMaxLength(chars > 0 ? chars : 32767);
}

void CEdit::Cut() { if (Line()) Line()->cut(); }
void CEdit::Copy() { if (Line()) Line()->copy(); }
void CEdit::Paste() { if (Line()) Line()->paste(); }
void CEdit::Clear() { if (Line()) Line()->del(); }
void CEdit::Undo() { if (Line()) Line()->undo(); }

void CEdit::TypeText(const CString& text)
{
    if (!Line())
        return;
    Line()->setText(ToQ(text));
    Notify(EN_USERCHANGE);
}

// --- CButton ---------------------------------------------------------------

CButton::CButton(Kind kind, bool isDefault) : m_kind(kind)
{
    QAbstractButton* button;
    switch (kind) {
    case Kind::check:
        button = new QCheckBox;
        break;
    case Kind::radio:
        button = new QRadioButton;
        break;
    default: {
        auto* push = new QPushButton;
        push->setDefault(isDefault);
        push->setAutoDefault(isDefault);
        button = push;
        break;
    }
    }
    Attach(button);
    QObject::connect(button, &QAbstractButton::clicked, [this] { Notify(BN_CLICKED); });
}

QAbstractButton* CButton::Button() const { return static_cast<QAbstractButton*>(Widget()); }

void CButton::SetWindowText(const CString& text)
{
    if (Button())
        Button()->setText(ToQ(text));
}

CString CButton::GetWindowText() const
{
    return Button() ? FromQ(Button()->text()) : CString();
}

int CButton::GetCheck() const
{
    if (auto* box = qobject_cast<QCheckBox*>(Button())) {
        switch (box->checkState()) {
        case Qt::Checked: return BST_CHECKED;
        case Qt::PartiallyChecked: return BST_INDETERMINATE;
        default: return BST_UNCHECKED;
        }
    }
    return Button() && Button()->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void CButton::SetCheck(int check)
{
    if (auto* box = qobject_cast<QCheckBox*>(Button())) {
        if (check == BST_INDETERMINATE)
            box->setTristate(true);
        box->setCheckState(check == BST_CHECKED ? Qt::Checked
                           : check == BST_INDETERMINATE ? Qt::PartiallyChecked : Qt::Unchecked);
        return;
    }
    if (auto* radio = qobject_cast<QRadioButton*>(Button())) {
        // Radio buttons of a group are exclusive only through their clicks
        // on Windows; the program sets each one itself.
        QButtonGroup* group = radio->group();
        if (group)
            group->setExclusive(false);
        radio->setAutoExclusive(false);
        radio->setChecked(check == BST_CHECKED);
        radio->setAutoExclusive(group == nullptr);
        if (group)
            group->setExclusive(true);
    }
}

void CButton::Click()
{
    if (Button() && Button()->isEnabled())
        Button()->click();
}

// --- CComboBox -------------------------------------------------------------

CComboBox::CComboBox(Kind kind)
{
    auto* combo = new QComboBox;
    combo->setEditable(kind == Kind::dropDown);
    Attach(combo);
    QObject::connect(combo, &QComboBox::activated, [this] { Notify(CBN_SELCHANGE); });
    if (kind == Kind::dropDown)
        QObject::connect(combo, &QComboBox::editTextChanged, [this] {
            if (!m_programmatic)
                Notify(CBN_EDITCHANGE);
        });
}

QComboBox* CComboBox::Combo() const { return static_cast<QComboBox*>(Widget()); }

int CComboBox::AddString(const CString& text)
{
    Combo()->addItem(ToQ(text));
    return Combo()->count() - 1;
}

int CComboBox::InsertString(int index, const CString& text)
{
    if (index < 0 || index > Combo()->count())
        index = Combo()->count();
    Combo()->insertItem(index, ToQ(text));
    return index;
}

int CComboBox::DeleteString(int index)
{
    if (!IndexOk(index, Combo()->count()))
        return CB_ERR;
    Combo()->removeItem(index);
    return Combo()->count();
}

void CComboBox::ResetContent()
{
    m_programmatic = true;
    Combo()->clear();
    m_programmatic = false;
}

int CComboBox::GetCount() const { return Combo()->count(); }

int CComboBox::GetCurSel() const { return Combo()->currentIndex(); }

int CComboBox::SetCurSel(int index)
{
    m_programmatic = true;
    const bool ok = IndexOk(index, Combo()->count());
    Combo()->setCurrentIndex(ok ? index : -1);
    m_programmatic = false;
    return ok ? index : CB_ERR;
}

int CComboBox::GetLBText(int index, CString& text) const
{
    if (!IndexOk(index, Combo()->count()))
        return CB_ERR;
    text = FromQ(Combo()->itemText(index));
    return text.GetLength();
}

CString CComboBox::GetLBText(int index) const
{
    CString text;
    GetLBText(index, text);
    return text;
}

int CComboBox::SetItemData(int index, uintptr_t data)
{
    if (!IndexOk(index, Combo()->count()))
        return CB_ERR;
    Combo()->setItemData(index, QVariant::fromValue<qulonglong>(data), kDataRole);
    return 0;
}

uintptr_t CComboBox::GetItemData(int index) const
{
    if (!IndexOk(index, Combo()->count()))
        return static_cast<uintptr_t>(CB_ERR);
    return static_cast<uintptr_t>(Combo()->itemData(index, kDataRole).toULongLong());
}

int CComboBox::FindStringExact(int startAfter, const CString& text) const
{
    const int n = Combo()->count();
    for (int k = 0; k < n; ++k) {
        const int i = (startAfter + 1 + k) % n;
        if (FromQ(Combo()->itemText(i)).CompareNoCase(text) == 0)
            return i;
    }
    return CB_ERR;
}

int CComboBox::SelectString(int startAfter, const CString& prefix)
{
    const int n = Combo()->count();
    for (int k = 0; k < n; ++k) {
        const int i = (startAfter + 1 + k) % n;
        const CString item = FromQ(Combo()->itemText(i));
        if (item.Left(prefix.GetLength()).CompareNoCase(prefix) == 0)
            return SetCurSel(i);
    }
    return CB_ERR;
}

void CComboBox::SetWindowText(const CString& text)
{
    m_programmatic = true;
    if (Combo()->isEditable())
        Combo()->setEditText(ToQ(text));
    else
        Combo()->setCurrentIndex(Combo()->findText(ToQ(text), Qt::MatchFixedString));
    m_programmatic = false;
}

CString CComboBox::GetWindowText() const
{
    return FromQ(Combo()->currentText());
}

void CComboBox::UserSelect(int index)
{
    SetCurSel(index);
    Notify(CBN_SELCHANGE);
}

// --- CListBox --------------------------------------------------------------

CListBox::CListBox()
{
    auto* list = new QListWidget;
    Attach(list);
    QObject::connect(list, &QListWidget::currentRowChanged, [this] {
        if (!m_programmatic)
            Notify(LBN_SELCHANGE);
    });
    QObject::connect(list, &QListWidget::itemDoubleClicked, [this] { Notify(LBN_DBLCLK); });
}

QListWidget* CListBox::List() const { return static_cast<QListWidget*>(Widget()); }

int CListBox::AddString(const CString& text)
{
    List()->addItem(ToQ(text));
    return List()->count() - 1;
}

int CListBox::InsertString(int index, const CString& text)
{
    if (index < 0 || index > List()->count())
        index = List()->count();
    List()->insertItem(index, ToQ(text));
    return index;
}

int CListBox::DeleteString(int index)
{
    if (!IndexOk(index, List()->count()))
        return LB_ERR;
    m_programmatic = true;
    delete List()->takeItem(index);
    m_programmatic = false;
    return List()->count();
}

void CListBox::ResetContent()
{
    m_programmatic = true;
    List()->clear();
    m_programmatic = false;
}

int CListBox::GetCount() const { return List()->count(); }

int CListBox::GetCurSel() const { return List()->currentRow(); }

int CListBox::SetCurSel(int index)
{
    m_programmatic = true;
    const bool ok = IndexOk(index, List()->count());
    List()->setCurrentRow(ok ? index : -1);
    m_programmatic = false;
    return ok ? index : LB_ERR;
}

int CListBox::GetText(int index, CString& text) const
{
    if (!IndexOk(index, List()->count()))
        return LB_ERR;
    text = FromQ(List()->item(index)->text());
    return text.GetLength();
}

int CListBox::SetItemData(int index, uintptr_t data)
{
    if (!IndexOk(index, List()->count()))
        return LB_ERR;
    List()->item(index)->setData(kDataRole, QVariant::fromValue<qulonglong>(data));
    return 0;
}

uintptr_t CListBox::GetItemData(int index) const
{
    if (!IndexOk(index, List()->count()))
        return static_cast<uintptr_t>(LB_ERR);
    return static_cast<uintptr_t>(List()->item(index)->data(kDataRole).toULongLong());
}

int CListBox::FindStringExact(int startAfter, const CString& text) const
{
    const int n = List()->count();
    for (int k = 0; k < n; ++k) {
        const int i = (startAfter + 1 + k) % n;
        if (FromQ(List()->item(i)->text()).CompareNoCase(text) == 0)
            return i;
    }
    return LB_ERR;
}

void CListBox::UserSelect(int index)
{
    SetCurSel(index);
    Notify(LBN_SELCHANGE);
}

} // namespace fw
