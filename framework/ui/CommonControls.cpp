#include "framework/ui/CommonControls.h"

#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSlider>
#include <QSpinBox>

namespace fw {

FW_IMPLEMENT_DYNAMIC(CIPAddressCtrl, CControl)
FW_IMPLEMENT_DYNAMIC(CProgressCtrl, CControl)
FW_IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CControl)
FW_IMPLEMENT_DYNAMIC(CSliderCtrl, CControl)

// --- CIPAddressCtrl ------------------------------------------------------------

CIPAddressCtrl::CIPAddressCtrl()
{
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    for (int i = 0; i < 4; ++i) {
        if (i)
            row->addWidget(new QLabel("."));
        auto* field = new QLineEdit;
        field->setValidator(new QIntValidator(0, 255, field));
        field->setMaxLength(3);
        field->setAlignment(Qt::AlignCenter);
        row->addWidget(field);
        m_fields[static_cast<size_t>(i)] = field;
        QObject::connect(field, &QLineEdit::textChanged, [this] { Notify(EN_CHANGE); });
    }
    Attach(box);
}

void CIPAddressCtrl::SetAddress(uint32_t address)
{
    SetAddress(static_cast<uint8_t>(address >> 24), static_cast<uint8_t>(address >> 16),
               static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address));
}

void CIPAddressCtrl::SetAddress(uint8_t f0, uint8_t f1, uint8_t f2, uint8_t f3)
{
    const uint8_t v[] = {f0, f1, f2, f3};
    for (size_t i = 0; i < 4; ++i)
        m_fields[i]->setText(QString::number(v[i]));
}

int CIPAddressCtrl::GetAddress(uint32_t& address) const
{
    uint8_t f[4];
    const int filled = GetAddress(f[0], f[1], f[2], f[3]);
    address = (static_cast<uint32_t>(f[0]) << 24) | (static_cast<uint32_t>(f[1]) << 16) |
              (static_cast<uint32_t>(f[2]) << 8) | f[3];
    return filled;
}

int CIPAddressCtrl::GetAddress(uint8_t& f0, uint8_t& f1, uint8_t& f2, uint8_t& f3) const
{
    uint8_t* out[] = {&f0, &f1, &f2, &f3};
    int filled = 0;
    for (size_t i = 0; i < 4; ++i) {
        const QString text = m_fields[i]->text();
        *out[i] = static_cast<uint8_t>(std::clamp(text.toInt(), 0, 255));
        filled += !text.isEmpty();
    }
    return filled;
}

void CIPAddressCtrl::ClearAddress()
{
    for (QLineEdit* f : m_fields)
        f->clear();
}

bool CIPAddressCtrl::IsBlank() const
{
    for (QLineEdit* f : m_fields) {
        if (!f->text().isEmpty())
            return false;
    }
    return true;
}

// --- CProgressCtrl -----------------------------------------------------------------

CProgressCtrl::CProgressCtrl()
{
    auto* bar = new QProgressBar;
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    Attach(bar);
}

QProgressBar* CProgressCtrl::Bar() const { return static_cast<QProgressBar*>(Widget()); }

void CProgressCtrl::SetRange32(int lower, int upper)
{
    Bar()->setRange(lower, upper);
}

void CProgressCtrl::GetRange(int& lower, int& upper) const
{
    lower = Bar()->minimum();
    upper = Bar()->maximum();
}

int CProgressCtrl::SetPos(int pos)
{
    const int old = GetPos();
    Bar()->setValue(std::clamp(pos, Bar()->minimum(), Bar()->maximum()));
    return old;
}

int CProgressCtrl::GetPos() const
{
    const int v = Bar()->value();
    return v < Bar()->minimum() ? Bar()->minimum() : v;  // a fresh bar reports -1 in Qt
}

int CProgressCtrl::SetStep(int step)
{
    const int old = m_step;
    m_step = step;
    return old;
}

int CProgressCtrl::StepIt()
{
    const int old = GetPos();
    int next = old + m_step;
    if (next > Bar()->maximum())
        next = Bar()->minimum() + (next - Bar()->maximum());
    Bar()->setValue(next);
    return old;
}

// --- CSpinButtonCtrl -----------------------------------------------------------------

CSpinButtonCtrl::CSpinButtonCtrl()
{
    auto* spin = new QSpinBox;
    Attach(spin);
    QObject::connect(spin, &QSpinBox::valueChanged, [this] { Notify(EN_CHANGE); });
}

QSpinBox* CSpinButtonCtrl::Spin() const { return static_cast<QSpinBox*>(Widget()); }

void CSpinButtonCtrl::SetRange32(int lower, int upper)
{
    // The original allowed an upper bound below the lower one (reversed
    // arrows); the box keeps the span.
    Spin()->setRange(std::min(lower, upper), std::max(lower, upper));
}

int CSpinButtonCtrl::SetPos32(int pos)
{
    const int old = GetPos32();
    Spin()->setValue(pos);
    return old;
}

int CSpinButtonCtrl::GetPos32() const
{
    return Spin()->value();
}

// --- CSliderCtrl -------------------------------------------------------------------------

CSliderCtrl::CSliderCtrl()
{
    auto* slider = new QSlider(Qt::Horizontal);
    Attach(slider);
}

QSlider* CSliderCtrl::Slider() const { return static_cast<QSlider*>(Widget()); }

void CSliderCtrl::SetRange(int min, int max, bool) { Slider()->setRange(min, max); }
int CSliderCtrl::GetRangeMin() const { return Slider()->minimum(); }
int CSliderCtrl::GetRangeMax() const { return Slider()->maximum(); }
void CSliderCtrl::SetPos(int pos) { Slider()->setValue(pos); }
int CSliderCtrl::GetPos() const { return Slider()->value(); }
void CSliderCtrl::SetTicFreq(int freq)
{
    Slider()->setTickInterval(freq);
    Slider()->setTickPosition(QSlider::TicksBelow);
}
void CSliderCtrl::SetPageSize(int size) { Slider()->setPageStep(size); }

} // namespace fw
