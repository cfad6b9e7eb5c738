#pragma once

// The dialog controls the program uses, each a CWnd over its Qt widget.
// Notifications go to the window the control was registered with, as
// OnCmdMsg(control id, notification code).

#include "framework/ui/Wnd.h"

class QLabel;
class QLineEdit;
class QAbstractButton;
class QComboBox;
class QListWidget;

namespace fw {

inline constexpr int CB_ERR = -1;
inline constexpr int LB_ERR = -1;
inline constexpr int BST_UNCHECKED = 0;
inline constexpr int BST_CHECKED = 1;
inline constexpr int BST_INDETERMINATE = 2;

// Base of the controls: who is told about notifications.
class CControl : public CWnd {
    FW_DECLARE_DYNAMIC(CControl)
public:
    void SetNotifyTarget(CCmdTarget* target) { m_notify = target; }
    // Sends the notification to the target (exceptions are reported).
    void Notify(int code);

private:
    CCmdTarget* m_notify = nullptr;
};

class CStatic : public CControl {
    FW_DECLARE_DYNAMIC(CStatic)
public:
    CStatic();
    void SetWindowText(const CString& text) override;
    CString GetWindowText() const override;
    QLabel* Label() const;
};

class CEdit : public CControl {
    FW_DECLARE_DYNAMIC(CEdit)
public:
    CEdit();
    void SetWindowText(const CString& text) override;
    CString GetWindowText() const override;
    // Character positions; (0, -1) selects everything.
    void SetSel(int start, int end, bool noScroll = false);
    void GetSel(int& start, int& end) const;
    void ReplaceSel(const CString& text, bool canUndo = false);
    void SetReadOnly(bool readOnly = true);
    void LimitText(int chars);
    void Cut();
    void Copy();
    void Paste();
    void Clear();
    void Undo();
    // Types `text` as the user would (tests): replaces the whole text and
    // fires EN_USERCHANGE besides EN_CHANGE.
    void TypeText(const CString& text);
    QLineEdit* Line() const;
};

class CButton : public CControl {
    FW_DECLARE_DYNAMIC(CButton)
public:
    enum class Kind { push, check, radio };
    explicit CButton(Kind kind = Kind::push, bool isDefault = false);
    Kind GetKind() const { return m_kind; }
    void SetWindowText(const CString& text) override;
    CString GetWindowText() const override;
    int GetCheck() const;
    void SetCheck(int check);
    // Clicks as the user would (tests and keyboard handling).
    void Click();
    QAbstractButton* Button() const;

private:
    Kind m_kind;
};

class CComboBox : public CControl {
    FW_DECLARE_DYNAMIC(CComboBox)
public:
    // dropDown has an edit field; dropList does not.
    enum class Kind { dropDown, dropList };
    explicit CComboBox(Kind kind = Kind::dropList);
    int AddString(const CString& text);
    int InsertString(int index, const CString& text);  // -1 appends
    int DeleteString(int index);                       // count left, CB_ERR when bad
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);  // CB_ERR for -1 or a bad index (the selection is then cleared)
    int GetLBText(int index, CString& text) const;
    CString GetLBText(int index) const;
    int SetItemData(int index, uintptr_t data);
    uintptr_t GetItemData(int index) const;
    int FindStringExact(int startAfter, const CString& text) const;
    int SelectString(int startAfter, const CString& prefix);
    void SetWindowText(const CString& text) override;
    CString GetWindowText() const override;
    // Chooses an entry as the user would: CBN_SELCHANGE follows.
    void UserSelect(int index);
    QComboBox* Combo() const;

private:
    bool m_programmatic = false;
};

class CListBox : public CControl {
    FW_DECLARE_DYNAMIC(CListBox)
public:
    CListBox();
    int AddString(const CString& text);
    int InsertString(int index, const CString& text);
    int DeleteString(int index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    int GetText(int index, CString& text) const;
    int SetItemData(int index, uintptr_t data);
    uintptr_t GetItemData(int index) const;
    int FindStringExact(int startAfter, const CString& text) const;
    void UserSelect(int index);
    QListWidget* List() const;

private:
    bool m_programmatic = false;
};

} // namespace fw
