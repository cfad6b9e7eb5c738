#include "framework/ui/DialogBuilder.h"

#include "framework/core/Services.h"
#include "framework/ui/ControlHost.h"
#include "framework/ui/Dialog.h"
#include "framework/ui/QtText.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace fw {

DialogBuilder::DialogBuilder(ControlHost& host, QWidget* surface) : m_host(host), m_surface(surface)
{
    m_outer = new QVBoxLayout(surface);
    m_column = m_outer;
}

void DialogBuilder::Row()
{
    m_row = nullptr;
}

void DialogBuilder::Group(const CString& title)
{
    auto* box = new QGroupBox(ToQ(title));
    m_outer->addWidget(box);
    m_column = new QVBoxLayout(box);
    m_row = nullptr;
}

void DialogBuilder::EndGroup()
{
    m_column = m_outer;
    m_row = nullptr;
}

void DialogBuilder::Place(QWidget* widget)
{
    if (!m_row) {
        m_row = new QHBoxLayout;
        m_column->addLayout(m_row);
    }
    m_row->addWidget(widget);
}

CStatic& DialogBuilder::Static(int id, const CString& text)
{
    CStatic& c = m_host.Own(id, std::make_unique<CStatic>());
    c.SetWindowText(text);
    Place(c.Widget());
    return c;
}

CEdit& DialogBuilder::Edit(int id)
{
    CEdit& c = m_host.Own(id, std::make_unique<CEdit>());
    Place(c.Widget());
    return c;
}

CButton& DialogBuilder::Button(int id, const CString& text, bool isDefault)
{
    CButton& c = m_host.Own(id, std::make_unique<CButton>(CButton::Kind::push, isDefault));
    c.SetWindowText(text);
    Place(c.Widget());
    return c;
}

CButton& DialogBuilder::Check(int id, const CString& text)
{
    CButton& c = m_host.Own(id, std::make_unique<CButton>(CButton::Kind::check));
    c.SetWindowText(text);
    Place(c.Widget());
    return c;
}

CButton& DialogBuilder::Radio(int id, const CString& text, bool groupStart)
{
    CButton& c = m_host.Own(id, std::make_unique<CButton>(CButton::Kind::radio));
    c.SetWindowText(text);
    // Each group is exclusive on its own, wherever its buttons sit.
    static const char* kGroupProperty = "fwRadioGroup";
    auto* group = qvariant_cast<QButtonGroup*>(m_surface->property(kGroupProperty));
    if (groupStart || !group) {
        group = new QButtonGroup(m_surface);
        m_surface->setProperty(kGroupProperty, QVariant::fromValue(group));
    }
    group->addButton(c.Button());
    Place(c.Widget());
    return c;
}

CComboBox& DialogBuilder::Combo(int id, CComboBox::Kind kind)
{
    CComboBox& c = m_host.Own(id, std::make_unique<CComboBox>(kind));
    Place(c.Widget());
    return c;
}

CListBox& DialogBuilder::List(int id)
{
    CListBox& c = m_host.Own(id, std::make_unique<CListBox>());
    Place(c.Widget());
    return c;
}

CIPAddressCtrl& DialogBuilder::IpAddress(int id)
{
    CIPAddressCtrl& c = m_host.Own(id, std::make_unique<CIPAddressCtrl>());
    Place(c.Widget());
    return c;
}

CProgressCtrl& DialogBuilder::Progress(int id)
{
    CProgressCtrl& c = m_host.Own(id, std::make_unique<CProgressCtrl>());
    Place(c.Widget());
    return c;
}

CSpinButtonCtrl& DialogBuilder::Spin(int id)
{
    CSpinButtonCtrl& c = m_host.Own(id, std::make_unique<CSpinButtonCtrl>());
    Place(c.Widget());
    return c;
}

CSliderCtrl& DialogBuilder::Slider(int id)
{
    CSliderCtrl& c = m_host.Own(id, std::make_unique<CSliderCtrl>());
    Place(c.Widget());
    return c;
}

CWnd& DialogBuilder::Custom(int id, std::unique_ptr<CWnd> control)
{
    CWnd& c = m_host.Own(id, std::move(control));
    if (c.Widget())
        Place(c.Widget());
    return c;
}

void DialogBuilder::OkCancel(const CString& ok, const CString& cancel)
{
    Row();
    m_row = new QHBoxLayout;
    m_row->addStretch(1);
    m_column->addLayout(m_row);
    Button(IDOK, ok, true);
    Button(IDCANCEL, cancel);
    Row();
}

} // namespace fw
