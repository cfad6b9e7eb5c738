#pragma once

// The basic settings page of the CAN/voice/GPS units: one tab per unit of
// the selected control unit, with its memory split, voice trigger, CAN bus
// options, GPS receiver options and the sources of its eight data slots.
// Every change goes straight into the unit and is announced to the project.

#include "framework/core/Collections.h"
#include "framework/ui/View.h"

#include <functional>
#include <vector>

class CKIV5980Doc;
class CKiv463Unit;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTabBar;

class CGPSFormView : public fw::CView {
    FW_DECLARE_DYNCREATE(CGPSFormView)
    FW_DECLARE_COMMANDS()
public:
    enum ControlId : int {
        kTabs = 1360, kCanMemory = 1369, kVoiceMemory = 1370, kGpsMemory = 1371, kTotal = 1372,
        kLevelTrigger = 1353, kTriggerLevel = 1352, kCanRate = 1358, kSingleShot = 1375, kBusOff = 1376,
        kAck = 1377, kReceiver = 1354, kGpsRate = 1355, kCycle = 1356, kCorrection = 1357, kSpeedLimit = 1416,
        kFirstSlotLabel = 1379, kFirstSlotButton = 1361, kMemoryGroup = 1389, kFirstMemoryLabel = 1390,
        kFirstLevelLabel = 1396, kCanRateLabel = 1400, kReceiverLabel = 1403, kCycleLabel = 1406,
    };
    static constexpr unsigned kIdsInvalidSlots = 789;
    static constexpr intptr_t kHintUnitSettings = 43;
    static constexpr unsigned kIdTextSave = 32831;

    CGPSFormView();

    CKIV5980Doc* GetProjectDoc() const;
    void SetControlUnit(int box) { m_box = box; }
    // The control with that id (its object name), nullptr when none.
    QWidget* Control(int id) const;
    CKiv463Unit* GetShownUnit() const;
    int GetShownPort() const { return m_port; }

    void FillPortTabs();
    void EnableControls();

    void OnDraw(fw::CDC*) override {}
    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    // Showing the page reads the units again.
    void OnActivateView(bool activate, fw::CView* activateView, fw::CView* deactiveView) override;

    // The edits as they take a finished entry (also what leaving them does).
    void OnMemoryEdited(int id);
    // Typing in a memory edit: a size in range is kept at once and the
    // total follows; leaving the edit checks and announces it.
    void OnMemoryTyped(int id);
    void OnSpeedLimitEdited();
    // Typing in the speed limit: a value in range is kept at once, any
    // other text but an empty one or a lone '.' gives way to the stored one.
    void OnSpeedLimitTyped();
    void OnReceiverChosen(int receiver);
    void OnCorrectionClicked(bool on);
    // A data-slot button (1..8): the slot dialog, then its choice stored.
    void OnSlotButton(int slot);
    // The form as text: the project's test title, then every tab's port.
    void WriteLines(fw::CStringArray& lines, bool csv) const;
    // Saves the form as CSV (a name ending ".csv", any case) or tabbed text.
    bool SaveText(const fw::CString& path) const;
    // Asks for a file and saves the form there.
    void OnTextSave();

    // One page: the test title, then a column per tab.
    void OnPrepareDC(fw::CDC* dc, fw::CPrintInfo* info = nullptr) override;
    void OnBeginPrinting(fw::CDC* dc, fw::CPrintInfo* info) override;
    void OnPrint(fw::CDC* dc, fw::CPrintInfo* info) override;
    // The print area in logical units, as the last printing began.
    const fw::CRect& GetPrintArea() const { return m_printArea; }

protected:
    QWidget* CreateViewWidget(QWidget* parent) override;

private:
    void Changed(int32_t flags = 0);
    // Stores a change into the shown unit with polling paused, then
    // announces it.
    void Store(const std::function<void(CKiv463Unit&)>& change);
    // A change that leaves a data slot without a usable source asks
    // first: yes clears those slots, no restores the old setting.
    bool KeepIfSlotsStayValid(CKiv463Unit& unit, const std::function<void()>& restore);
    bool IsLocked() const;
    void FillUnit(CKiv463Unit& unit);
    void ShowTotal(const CKiv463Unit& unit);
    void RefreshAllChannels();

    QWidget* m_form = nullptr;
    QTabBar* m_tabs = nullptr;
    QLineEdit* m_memory[3] = {};
    QLineEdit* m_total = nullptr;
    QCheckBox* m_levelTrigger = nullptr;
    QSlider* m_level = nullptr;
    QComboBox* m_canRate = nullptr;
    QCheckBox* m_singleShot = nullptr;
    QCheckBox* m_busOff = nullptr;
    QCheckBox* m_ack = nullptr;
    QComboBox* m_receiver = nullptr;
    QComboBox* m_gpsRate = nullptr;
    QComboBox* m_cycle = nullptr;
    QCheckBox* m_correction = nullptr;
    QLineEdit* m_speedLimit = nullptr;
    QLabel* m_slotLabels[8] = {};
    QPushButton* m_slotButtons[8] = {};
    std::vector<int> m_ports;
    fw::CRect m_printArea;
    int m_box = 0;
    int m_port = -1;
    bool m_filling = false;
};
