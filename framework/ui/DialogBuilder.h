#pragma once

// Makes a dialog's controls in code: each under its numeric id, placed in
// rows of a vertical layout (Row starts the next row; Group puts the
// following rows in a titled frame until EndGroup).

#include "framework/ui/CommonControls.h"
#include "framework/ui/Controls.h"

class QBoxLayout;
class QVBoxLayout;

namespace fw {

class ControlHost;

class DialogBuilder {
public:
    // Lays the controls out on `surface` (the host's widget).
    DialogBuilder(ControlHost& host, QWidget* surface);

    CStatic& Static(int id, const CString& text);
    CEdit& Edit(int id);
    CButton& Button(int id, const CString& text, bool isDefault = false);
    CButton& Check(int id, const CString& text);
    CButton& Radio(int id, const CString& text, bool groupStart = false);
    CComboBox& Combo(int id, CComboBox::Kind kind = CComboBox::Kind::dropList);
    CListBox& List(int id);
    CIPAddressCtrl& IpAddress(int id);
    CProgressCtrl& Progress(int id);
    CSpinButtonCtrl& Spin(int id);
    CSliderCtrl& Slider(int id);
    // A control of the caller's (the grid placeholders); owned by the dialog.
    CWnd& Custom(int id, std::unique_ptr<CWnd> control);
    // OK and Cancel at the bottom right.
    void OkCancel(const CString& ok = "OK", const CString& cancel = "キャンセル");

    void Row();
    void Group(const CString& title);
    void EndGroup();

private:
    void Place(QWidget* widget);

    ControlHost& m_host;
    QWidget* m_surface;
    QVBoxLayout* m_outer;
    QVBoxLayout* m_column;
    QBoxLayout* m_row = nullptr;
};

} // namespace fw
