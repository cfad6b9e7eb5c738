#include "canvoicegps/views/settings/GPSFormView.h"

#include "canvoicegps/Kiv463Unit.h"
#include "common/base/TextFile.h"
#include "canvoicegps/views/settings/CanPageSupport.h"
#include "canvoicegps/views/settings/GpsFormPrint.h"
#include "canvoicegps/views/settings/GpsFormText.h"
#include "canvoicegps/views/settings/SlotChoices.h"
#include "framework/core/DC.h"
#include "framework/core/FileDialogs.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/StandardCommands.h"
#include "framework/core/Format.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "framework/ui/DataExchange.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxArray.h"
#include "instrument/system/BoxPropaty.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>

#include <cctype>
#include <functional>
#include <cstdlib>
#include <string>

FW_IMPLEMENT_DYNCREATE(CGPSFormView, fw::CView)

FW_BEGIN_COMMANDS(CGPSFormView, fw::CView)
    FW_ON_COMMAND(CGPSFormView::kIdTextSave, &CGPSFormView::OnTextSave)
    FW_ON_COMMAND(fw::ID_FILE_PRINT, &fw::CView::OnFilePrint)
    FW_ON_COMMAND(fw::ID_FILE_PRINT_DIRECT, &fw::CView::OnFilePrintDirect)
    FW_ON_COMMAND(fw::ID_FILE_PRINT_PREVIEW, &fw::CView::OnFilePrintPreview)
FW_END_COMMANDS

namespace {

constexpr const char* kCanRates[] = {"10000",  "20000",  "25000",  "33333",  "50000",  "62500",  "83333",
                                     "100000", "125000", "250000", "500000", "800000", "1000000"};

template <class W> W* Named(W* widget, int id)
{
    widget->setObjectName(QString::number(id));
    return widget;
}

fw::CString InvalidSlotsText()
{
    return canpage::Text({CGPSFormView::kIdsInvalidSlots,
                          "この設定を行うと入力CH用データに使用できないデータが割り当てられます。\n\n割り当てを取り消して、設定を有効にしますか？"});
}

QString Q(const fw::CString& text) { return QString::fromUtf8(text.c_str()); }

void SelectText(QComboBox* box, const QString& text)
{
    int found = -1;
    for (int i = 0; i < box->count() && found < 0; ++i)
        if (box->itemText(i).startsWith(text))
            found = i;
    box->setCurrentIndex(found);
}

} // namespace

CGPSFormView::CGPSFormView() = default;

CKIV5980Doc* CGPSFormView::GetProjectDoc() const { return dynamic_cast<CKIV5980Doc*>(GetDocument()); }

QWidget* CGPSFormView::Control(int id) const
{
    return m_form ? m_form->findChild<QWidget*>(QString::number(id)) : nullptr;
}

QWidget* CGPSFormView::CreateViewWidget(QWidget* parent)
{
    m_form = new QWidget(parent);
    auto* grid = new QGridLayout(m_form);
    m_tabs = Named(new QTabBar(m_form), kTabs);
    grid->addWidget(m_tabs, 0, 0, 1, 4);
    int row = 1;
    grid->addWidget(Named(new QLabel("メモリ配分", m_form), kMemoryGroup), row++, 0);
    const char* memoryLabels[] = {"CAN", "音声", "GPS"};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(Named(new QLabel(memoryLabels[i], m_form), kFirstMemoryLabel + i), row, 0);
        m_memory[i] = Named(new QLineEdit(m_form), kCanMemory + i);
        grid->addWidget(m_memory[i], row++, 1);
        const int id = kCanMemory + i;
        QObject::connect(m_memory[i], &QLineEdit::editingFinished, m_form, [this, id] { OnMemoryEdited(id); });
        QObject::connect(m_memory[i], &QLineEdit::textEdited, m_form, [this, id] { OnMemoryTyped(id); });
    }
    grid->addWidget(Named(new QLabel("合計<=6000000", m_form), kFirstMemoryLabel + 3), row, 0);
    m_total = Named(new QLineEdit(m_form), kTotal);
    m_total->setReadOnly(true);
    m_total->setEnabled(false);
    grid->addWidget(m_total, row++, 1);

    m_levelTrigger = Named(new QCheckBox("音量トリガを使う", m_form), kLevelTrigger);
    grid->addWidget(m_levelTrigger, row++, 0, 1, 2);
    m_level = Named(new QSlider(Qt::Horizontal, m_form), kTriggerLevel);
    m_level->setRange(1, 3);
    grid->addWidget(m_level, row++, 0, 1, 2);
    auto* levels = new QHBoxLayout;
    const char* levelTexts[] = {"小", "中", "大"};
    for (int i = 0; i < 3; ++i) {
        levels->addWidget(Named(new QLabel(levelTexts[i], m_form), kFirstLevelLabel + i));
        if (i < 2)
            levels->addStretch();
    }
    grid->addLayout(levels, row++, 0, 1, 2);
    QObject::connect(m_levelTrigger, &QCheckBox::clicked, m_form, [this](bool on) {
        Store([on](CKiv463Unit& unit) { unit.Voice().levelTrigger = on; });
    });
    QObject::connect(m_level, &QSlider::valueChanged, m_form, [this](int level) {
        if (!m_filling)
            Store([level](CKiv463Unit& unit) { unit.Voice().triggerLevel = static_cast<int16_t>(level); });
    });

    m_canRate = Named(new QComboBox(m_form), kCanRate);
    for (const char* rate : kCanRates)
        m_canRate->addItem(rate);
    grid->addWidget(Named(new QLabel("通信速度", m_form), kCanRateLabel), row, 0);
    grid->addWidget(m_canRate, row, 1);
    grid->addWidget(new QLabel("bps", m_form), row++, 2);
    QObject::connect(m_canRate, &QComboBox::activated, m_form, [this](int) {
        const auto rate = static_cast<uint32_t>(std::strtoul(m_canRate->currentText().toUtf8().constData(), nullptr, 10));
        Store([rate](CKiv463Unit& unit) { unit.Can().bitRate = rate; });
    });
    struct Flag {
        QCheckBox** box;
        int id;
        const char* text;
        bool C463Can::*field;
    } flags[] = {{&m_singleShot, kSingleShot, "バスエラーで再送信しない（シングルショット）", &C463Can::singleShot},
                 {&m_busOff, kBusOff, "バスオフが起こっても強制復帰する", &C463Can::busOffRecovery},
                 {&m_ack, kAck, "フレーム受信時にACKを出力", &C463Can::ackOutput}};
    for (const Flag& f : flags) {
        *f.box = Named(new QCheckBox(f.text, m_form), f.id);
        grid->addWidget(*f.box, row++, 0, 1, 2);
        bool C463Can::*field = f.field;
        QObject::connect(*f.box, &QCheckBox::clicked, m_form, [this, field](bool on) {
            Store([field, on](CKiv463Unit& unit) { unit.Can().*field = on; });
        });
    }

    m_receiver = Named(new QComboBox(m_form), kReceiver);
    for (int r = 0; r <= C463Gps::kMaxReceiver; ++r)
        m_receiver->addItem(gpsform::ReceiverText(r));
    grid->addWidget(Named(new QLabel("GPS受信機", m_form), kReceiverLabel), row, 0);
    grid->addWidget(m_receiver, row++, 1);
    QObject::connect(m_receiver, &QComboBox::activated, m_form, [this](int index) { OnReceiverChosen(index); });
    m_gpsRate = Named(new QComboBox(m_form), kGpsRate);
    m_gpsRate->addItems({"115200", "57600"});
    m_gpsRate->setEnabled(false);
    grid->addWidget(new QLabel("通信速度", m_form), row, 0);
    grid->addWidget(m_gpsRate, row, 1);
    grid->addWidget(new QLabel("bps", m_form), row++, 2);
    m_cycle = Named(new QComboBox(m_form), kCycle);
    grid->addWidget(Named(new QLabel("測位間隔", m_form), kCycleLabel), row, 0);
    grid->addWidget(m_cycle, row, 1);
    grid->addWidget(new QLabel("sec", m_form), row++, 2);
    QObject::connect(m_cycle, &QComboBox::activated, m_form, [this](int index) {
        const int cycle = m_cycle->itemData(index).toInt();
        Store([cycle](CKiv463Unit& unit) { unit.Gps().cycle = static_cast<decltype(unit.Gps().cycle)>(cycle); });
    });
    m_correction = Named(new QCheckBox("補正、距離測定を行う", m_form), kCorrection);
    grid->addWidget(m_correction, row++, 0, 1, 2);
    grid->addWidget(new QLabel("※補正、距離測定を行うとCAN入力は行えません。", m_form), row++, 0, 1, 3);
    QObject::connect(m_correction, &QCheckBox::clicked, m_form, [this](bool on) { OnCorrectionClicked(on); });
    m_speedLimit = Named(new QLineEdit(m_form), kSpeedLimit);
    grid->addWidget(new QLabel("距離変換の時に無視する速度の下限値", m_form), row, 0);
    grid->addWidget(m_speedLimit, row, 1);
    grid->addWidget(new QLabel("km/h", m_form), row, 2);
    grid->addWidget(new QLabel("（0.0で全て積分）", m_form), row++, 3);
    QObject::connect(m_speedLimit, &QLineEdit::editingFinished, m_form, [this] { OnSpeedLimitEdited(); });
    QObject::connect(m_speedLimit, &QLineEdit::textEdited, m_form, [this] { OnSpeedLimitTyped(); });

    for (int slot = 0; slot < CKiv463Unit::kSlots; ++slot) {
        m_slotLabels[slot] = Named(new QLabel(m_form), kFirstSlotLabel + slot);
        m_slotButtons[slot] = Named(new QPushButton(m_form), kFirstSlotButton + slot);
        grid->addWidget(m_slotLabels[slot], slot + 1, 2);
        grid->addWidget(m_slotButtons[slot], slot + 1, 3);
        QObject::connect(m_slotButtons[slot], &QPushButton::clicked, m_form, [this, slot] { OnSlotButton(slot + 1); });
    }
    QObject::connect(m_tabs, &QTabBar::currentChanged, m_form, [this](int index) {
        if (m_filling || index < 0 || index >= static_cast<int>(m_ports.size()))
            return;
        m_port = m_ports[static_cast<size_t>(index)];
        FillPortTabs();
        EnableControls();
    });
    return m_form;
}

CKiv463Unit* CGPSFormView::GetShownUnit() const
{
    CKIV5980Doc* doc = GetProjectDoc();
    CBoxPropaty* box = doc && m_port >= 0 ? doc->GetBoxArray().GetBox(m_box) : nullptr;
    CKivMeter* meter = box ? box->GetMeter() : nullptr;
    return meter ? dynamic_cast<CKiv463Unit*>(meter->GetUnit(m_port)) : nullptr;
}

bool CGPSFormView::IsLocked() const
{
    CKIV5980Doc* doc = GetProjectDoc();
    return !doc || doc->IsEditLocked() || ProjectHost().IsMeasuring(*doc);
}

void CGPSFormView::OnInitialUpdate()
{
    fw::CView::OnInitialUpdate();
    FillPortTabs();
    EnableControls();
}

void CGPSFormView::OnActivateView(bool activate, fw::CView*, fw::CView*)
{
    if (!activate)
        return;
    FillPortTabs();
    EnableControls();
}

void CGPSFormView::OnUpdate(fw::CView*, intptr_t hint, fw::CObject*)
{
    if (hint == 16 || hint == kHintUnitSettings)
        FillPortTabs();
    else if (hint == 22 || hint == 23 || hint == 42)
        EnableControls();
}

void CGPSFormView::FillPortTabs()
{
    if (!m_tabs)
        return;
    m_filling = true;
    while (m_tabs->count() > 0)
        m_tabs->removeTab(0);
    m_ports.clear();
    CKIV5980Doc* doc = GetProjectDoc();
    CBoxPropaty* box = doc ? doc->GetBoxArray().GetBox(m_box) : nullptr;
    if (box && box->GetMeter())
        m_ports = gpsform::PortsWithUnits(*box->GetMeter());
    int current = 0;
    for (size_t i = 0; i < m_ports.size(); ++i) {
        m_tabs->addTab(Q(gpsform::TabText(m_ports[i])));
        m_tabs->setTabData(static_cast<int>(i), m_ports[i]);
        if (m_ports[i] == m_port)
            current = static_cast<int>(i);
    }
    if (m_ports.empty()) {
        m_port = -1;
        m_filling = false;
        return;
    }
    m_tabs->setCurrentIndex(current);
    m_port = m_ports[static_cast<size_t>(current)];
    if (CKiv463Unit* unit = GetShownUnit())
        FillUnit(*unit);
    m_filling = false;
}

void CGPSFormView::FillUnit(CKiv463Unit& unit)
{
    const uint32_t sizes[] = {unit.Can().memoryBytes, unit.Voice().memoryBytes, unit.Gps().memoryBytes};
    for (int i = 0; i < 3; ++i)
        m_memory[i]->setText(QString::number(sizes[i]));
    ShowTotal(unit);
    m_levelTrigger->setChecked(unit.Voice().levelTrigger);
    m_level->setValue(unit.Voice().triggerLevel);
    m_level->setEnabled(unit.Voice().levelTrigger && !IsLocked());
    m_receiver->setCurrentIndex(unit.Gps().receiver);
    SelectText(m_gpsRate, QString::number(unit.Gps().bitRate));
    SelectText(m_canRate, QString::number(unit.Can().bitRate));
    m_cycle->clear();
    if (unit.Gps().receiver == 2 && unit.Gps().cycle < 3)
        unit.Gps().cycle = 3;
    for (int code : gpsform::CycleCodes(unit.Gps().receiver)) {
        m_cycle->addItem(gpsform::CycleText(code), code);
        if (code == unit.Gps().cycle)
            m_cycle->setCurrentIndex(m_cycle->count() - 1);
    }
    m_correction->setChecked(unit.Gps().speedCorrection);
    m_singleShot->setChecked(unit.Can().singleShot);
    m_busOff->setChecked(unit.Can().busOffRecovery);
    m_ack->setChecked(unit.Can().ackOutput);
    m_speedLimit->setText(QString::number(unit.Gps().lowerSpeedLimit / 10.0));
    for (int slot = 1; slot <= CKiv463Unit::kSlots; ++slot) {
        m_slotLabels[slot - 1]->setText(Q(gpsform::SlotLabel(m_port, slot)));
        m_slotButtons[slot - 1]->setText(Q(gpsform::SlotCaption(unit, slot)));
    }
}

void CGPSFormView::ShowTotal(const CKiv463Unit& unit)
{
    // The three sizes may each reach the limit; their sum is kept wide.
    const uint64_t total = uint64_t{unit.Can().memoryBytes} + unit.Voice().memoryBytes + unit.Gps().memoryBytes;
    m_total->setText(QString::number(total));
    m_total->setStyleSheet(total > gpsform::kMaxMemory ? "background-color: rgb(255, 0, 0);" : "");
}

void CGPSFormView::EnableControls()
{
    CKiv463Unit* unit = GetShownUnit();
    if (!unit || !m_form)
        return;
    const bool on = !IsLocked();
    for (QWidget* w : std::initializer_list<QWidget*>{m_tabs, m_memory[0], m_memory[1], m_memory[2], m_levelTrigger,
                                                      m_canRate, m_singleShot, m_busOff, m_ack, m_receiver, m_cycle,
                                                      m_correction, m_speedLimit})
        w->setEnabled(on);
    m_level->setEnabled(on && unit->Voice().levelTrigger);
    m_gpsRate->setEnabled(false);
    for (int slot = 1; slot <= CKiv463Unit::kSlots; ++slot)
        m_slotButtons[slot - 1]->setEnabled(on && !gpsform::IsSlotBlocked(*unit, slot));
}

void CGPSFormView::Store(const std::function<void(CKiv463Unit&)>& change)
{
    CKiv463Unit* unit = GetShownUnit();
    if (!unit)
        return;
    {
        // The polling worker reads the unit's settings.
        CPollingPause pause;
        change(*unit);
    }
    Changed();
}

void CGPSFormView::Changed(int32_t flags)
{
    // The polling worker reads the unit's settings.
    CPollingPause pause;
    FillPortTabs();
    EnableControls();
    if (CKIV5980Doc* doc = GetProjectDoc()) {
        doc->SetModifiedFlag();
        doc->UpdateAllViews(this, kHintUnitSettings, nullptr);
        doc->NotifyColumnsChanged(this, 0, 0, flags, true);
    }
}

void CGPSFormView::OnMemoryEdited(int id)
{
    CKiv463Unit* unit = GetShownUnit();
    if (!unit || m_filling)
        return;
    QLineEdit* edit = m_memory[id - kCanMemory];
    bool ok = false;
    const qulonglong value = edit->text().trimmed().toULongLong(&ok);
    uint32_t* fields[] = {&unit->Can().memoryBytes, &unit->Voice().memoryBytes, &unit->Gps().memoryBytes};
    if (!ok || value > gpsform::kMaxMemory) {
        fw::Prompt().MessageBox(fw::FormatString(fw::kIdpParseIntRange, "0", "6000000"),
                                fw::MB_OK | fw::MB_ICONEXCLAMATION, fw::kIdpParseIntRange);
        edit->setText(QString::number(*fields[id - kCanMemory]));
        return;
    }
    Store([field = fields[id - kCanMemory], value](CKiv463Unit&) { *field = static_cast<uint32_t>(value); });
}

void CGPSFormView::OnMemoryTyped(int id)
{
    CKiv463Unit* unit = GetShownUnit();
    if (!unit || m_filling)
        return;
    bool ok = false;
    const qulonglong value = m_memory[id - kCanMemory]->text().trimmed().toULongLong(&ok);
    if (!ok || value > gpsform::kMaxMemory)
        return;
    uint32_t* fields[] = {&unit->Can().memoryBytes, &unit->Voice().memoryBytes, &unit->Gps().memoryBytes};
    {
        CPollingPause pause;
        *fields[id - kCanMemory] = static_cast<uint32_t>(value);
    }
    ShowTotal(*unit);
}

void CGPSFormView::OnSpeedLimitEdited()
{
    CKiv463Unit* unit = GetShownUnit();
    if (!unit || m_filling)
        return;
    bool ok = false;
    const double kmh = m_speedLimit->text().trimmed().toDouble(&ok);
    const std::optional<int16_t> tenths = ok ? gpsform::SpeedLimitTenths(kmh) : std::nullopt;
    if (!tenths) {
        fw::Prompt().MessageBox(fw::FormatString(fw::kIdpParseRealRange, "0", "3.6"),
                                fw::MB_OK | fw::MB_ICONEXCLAMATION, fw::kIdpParseRealRange);
        m_speedLimit->setText(QString::number(unit->Gps().lowerSpeedLimit / 10.0));
        return;
    }
    Store([limit = *tenths](CKiv463Unit& u) { u.Gps().lowerSpeedLimit = limit; });
}

void CGPSFormView::OnSpeedLimitTyped()
{
    CKiv463Unit* unit = GetShownUnit();
    const QString text = m_speedLimit->text().trimmed();
    if (!unit || m_filling || text.isEmpty() || text == ".")
        return;
    bool ok = false;
    const double kmh = text.toDouble(&ok);
    const std::optional<int16_t> tenths = ok ? gpsform::SpeedLimitTenths(kmh) : std::nullopt;
    if (!tenths) {
        m_speedLimit->setText(QString::number(unit->Gps().lowerSpeedLimit / 10.0));
        return;
    }
    CPollingPause pause;
    unit->Gps().lowerSpeedLimit = *tenths;
}

void CGPSFormView::RefreshAllChannels()
{
    if (CKIV5980Doc* doc = GetProjectDoc())
        doc->RebuildChannels();
}

bool CGPSFormView::KeepIfSlotsStayValid(CKiv463Unit& unit, const std::function<void()>& restore)
{
    if (unit.AreSlotCodesValid())
        return true;
    const int answer = fw::Prompt().MessageBox(InvalidSlotsText(), fw::MB_YESNO | fw::MB_ICONQUESTION | fw::MB_DEFBUTTON2,
                                               kIdsInvalidSlots);
    if (answer != fw::IDYES) {
        restore();
        return false;
    }
    unit.ClearInvalidSlotCodes();
    RefreshAllChannels();
    return true;
}

void CGPSFormView::OnReceiverChosen(int receiver)
{
    CKiv463Unit* unit = GetShownUnit();
    if (!unit)
        return;
    bool kept = false;
    {
        // The polling worker reads the unit's settings.
        CPollingPause pause;
        const int16_t old = unit->Gps().receiver;
        unit->Gps().receiver = static_cast<int16_t>(receiver);
        kept = KeepIfSlotsStayValid(*unit, [&] { unit->Gps().receiver = old; });
        if (kept)
            gpsform::ApplyReceiver(*unit, receiver);
    }
    if (kept)
        Changed();
    else
        FillPortTabs();
}

void CGPSFormView::OnCorrectionClicked(bool on)
{
    CKiv463Unit* unit = GetShownUnit();
    if (!unit)
        return;
    bool kept = false;
    {
        CPollingPause pause;
        const bool old = unit->Gps().speedCorrection;
        unit->Gps().speedCorrection = on;
        kept = KeepIfSlotsStayValid(*unit, [&] { unit->Gps().speedCorrection = old; });
    }
    if (kept)
        Changed();
    else
        FillPortTabs();
}

void CGPSFormView::OnSlotButton(int slot)
{
    CKiv463Unit* unit = GetShownUnit();
    ISlotChooser* chooser = fw::Installed<ISlotChooser>();
    if (!unit || !chooser || IsLocked())
        return;
    CSlotChoiceInputs inputs;
    inputs.speedCorrection = unit->Gps().speedCorrection;
    inputs.lastSlot = slot == CKiv463Unit::kSlots;
    inputs.receiver = unit->Gps().receiver != 0;
    const int value = chooser->Choose(slotchoice::Build(*unit, inputs));
    if (!slotchoice::CanConfirm(value))
        return;
    {
        CPollingPause pause;
        unit->SetSlotCode(static_cast<int16_t>(slotchoice::SlotCodeOf(value)), static_cast<int16_t>(slot - 1));
    }
    RefreshAllChannels();
    Changed(4);
}

void CGPSFormView::WriteLines(fw::CStringArray& lines, bool csv) const
{
    CKIV5980Doc* doc = GetProjectDoc();
    CBoxPropaty* box = doc ? doc->GetBoxArray().GetBox(m_box) : nullptr;
    if (!doc)
        return;
    lines.Add(csv ? CTextFile::MakeCsvField(doc->GetTestTitle()) : doc->GetTestTitle());
    if (!box || !box->GetMeter())
        return;
    for (int port : gpsform::PortsWithUnits(*box->GetMeter()))
        if (auto* unit = dynamic_cast<CKiv463Unit*>(box->GetMeter()->GetUnit(port)))
            gpsform::WritePortLines(*unit, port, csv, lines);
}

bool CGPSFormView::SaveText(const fw::CString& path) const
{
    std::string upper = path.str();
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const size_t dot = upper.rfind('.');
    const bool csv = dot != std::string::npos && upper.substr(dot) == ".CSV";
    fw::CStringArray lines;
    WriteLines(lines, csv);
    CTextFile file;
    if (!file.OpenFile(path, fw::CFile::modeCreate | fw::CFile::modeWrite | fw::CFile::shareExclusive))
        return false;
    try {
        for (int i = 0; i < lines.GetSize(); ++i)
            file.WriteLine(lines[i], true);
        file.Close();
    } catch (const std::exception& e) {
        CTextFile::ReportFileError(path, e, true, 264);
        return false;
    }
    return true;
}

void CGPSFormView::OnTextSave()
{
    fw::FileDialogRequest request;
    request.filters.push_back(fw::FileFilter{fw::CString("CSV ﾌｧｲﾙ(*.csv)"), {fw::CString("*.csv")}});
    request.filters.push_back(fw::FileFilter{fw::CString("ﾃｷｽﾄ ﾌｧｲﾙ(*.txt)"), {fw::CString("*.txt")}});
    request.defaultExt = "csv";
    request.flags = fw::OFN_OVERWRITEPROMPT | fw::OFN_HIDEREADONLY;
    const fw::FileDialogResult result = fw::FileDialogs().Save(request);
    if (!result.ok || result.paths.empty())
        return;
    fw::CWaitCursor wait;
    SaveText(result.paths.front());
}

// ---- printing ------------------------------------------------------------------------------------

void CGPSFormView::OnPrepareDC(fw::CDC* dc, fw::CPrintInfo* info)
{
    if (dc->IsPrinting())
        gpsprint::SetDisplayUnits(*dc);
    fw::CView::OnPrepareDC(dc, info);
}

void CGPSFormView::OnBeginPrinting(fw::CDC* dc, fw::CPrintInfo* info)
{
    m_printArea = gpsprint::PrintArea(*dc);
    const int saved = dc->SaveDC();
    gpsprint::SetDisplayUnits(*dc);
    dc->DPtoLP(&m_printArea);
    dc->RestoreDC(saved);
    if (info)
        info->SetMaxPage(1);
}

void CGPSFormView::OnPrint(fw::CDC* dc, fw::CPrintInfo*)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc)
        return;
    std::vector<std::vector<fw::CString>> columns;
    CBoxPropaty* box = doc->GetBoxArray().GetBox(m_box);
    if (box && box->GetMeter())
        for (int port : gpsform::PortsWithUnits(*box->GetMeter()))
            if (auto* unit = dynamic_cast<CKiv463Unit*>(box->GetMeter()->GetUnit(port)))
                columns.push_back(gpsprint::PortLines(*unit, port));
    gpsprint::DrawPage(*dc, m_printArea, doc->GetTestTitle(), columns);
}
