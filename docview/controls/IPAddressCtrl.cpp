#include "docview/controls/IPAddressCtrl.h"

#include "framework/core/Format.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/QtText.h"

#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>

namespace appctl {

FW_IMPLEMENT_DYNAMIC(CIPAddressCtrl, fw::CControl)

CIPAddressCtrl::CIPAddressCtrl()
{
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (i > 0)
            row->addWidget(new QLabel(QStringLiteral(".")));
        auto* field = new QLineEdit;
        field->setMaxLength(3);
        field->setValidator(new QIntValidator(0, 255, field));
        field->setAlignment(Qt::AlignCenter);
        QObject::connect(field, &QLineEdit::textChanged, [this] { Notify(fw::EN_CHANGE); });
        row->addWidget(field);
        m_fields[i] = field;
    }
    Attach(box);
}

void CIPAddressCtrl::SetAddress(uint32_t address)
{
    for (size_t i = 0; i < m_fields.size(); ++i) {
        unsigned octet = (address >> (24 - 8 * i)) & 0xFFu;
        m_fields[i]->setText(QString::number(octet));
    }
}

int CIPAddressCtrl::GetAddress(uint32_t& address) const
{
    address = 0;
    int filled = 0;
    for (size_t i = 0; i < m_fields.size(); ++i) {
        QString text = m_fields[i]->text().trimmed();
        unsigned octet = 0;
        if (!text.isEmpty()) {
            ++filled;
            bool ok = false;
            unsigned value = text.toUInt(&ok);
            octet = ok && value <= 255 ? value : 255;
        }
        address |= octet << (24 - 8 * i);
    }
    return filled;
}

void CIPAddressCtrl::ClearAddress()
{
    for (QLineEdit* field : m_fields)
        field->clear();
}

bool CIPAddressCtrl::IsBlank() const
{
    uint32_t ignored = 0;
    return GetAddress(ignored) == 0;
}

void CIPAddressCtrl::SetWindowText(const fw::CString& text)
{
    QStringList parts = fw::ToQ(text).split(QLatin1Char('.'));
    for (size_t i = 0; i < m_fields.size(); ++i)
        m_fields[i]->setText(i < static_cast<size_t>(parts.size()) ? parts[static_cast<int>(i)].trimmed() : QString());
}

fw::CString CIPAddressCtrl::GetWindowText() const
{
    QStringList parts;
    for (QLineEdit* field : m_fields)
        parts << field->text();
    return fw::FromQ(parts.join(QLatin1Char('.')));
}

void DDX_IPAddress(fw::CDataExchange* dx, int id, uint32_t& address)
{
    auto* control = dynamic_cast<CIPAddressCtrl*>(dx->PrepareCtrl(id));
    if (!control)
        return;
    if (dx->m_bSaveAndValidate)
        control->GetAddress(address);
    else
        control->SetAddress(address);
}

fw::CString FormatIPv4(uint32_t a)
{
    return fw::Format("%d.%d.%d.%d", static_cast<int>(a >> 24), static_cast<int>((a >> 16) & 0xFF),
                      static_cast<int>((a >> 8) & 0xFF), static_cast<int>(a & 0xFF));
}

} // namespace appctl
