#pragma once

// The data window's map page: how many GPS points the map file may hold,
// how large the map is, and the button that shows the track on the map
// service in the desktop's browser.

#include "canvoicegps/views/settings/GpsMapPublisher.h"
#include "framework/ui/View.h"

#include <memory>

class CKivDataDoc;
class QLineEdit;
class QPushButton;
class QSlider;

namespace fw {
class CProfile;
}

class CGpsMapFormView : public fw::CView {
    FW_DECLARE_DYNCREATE(CGpsMapFormView)
public:
    enum ControlId : int { kPoints = 1421, kSize = 1423, kShow = 1451 };
    static constexpr intptr_t kHintMarkers = 51;

    CGpsMapFormView();
    ~CGpsMapFormView() override;

    CKivDataDoc* GetDataDoc() const;
    QWidget* Control(int id) const;
    // The browser and the profile; the desktop's and the program's unless set.
    void SetOpener(IAddressOpener* opener) { m_opener = opener; }
    void SetProfile(fw::CProfile* profile) { m_profile = profile; }
    bool MustRewrite() const { return m_rewrite; }

    void OnDraw(fw::CDC*) override {}
    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    // The button: write and upload the file when needed, then open the map.
    bool OnShowMap();

protected:
    QWidget* CreateViewWidget(QWidget* parent) override;

private:
    fw::CProfile* Profile() const;

    QWidget* m_form = nullptr;
    QLineEdit* m_points = nullptr;
    QSlider* m_size = nullptr;
    IAddressOpener* m_opener = nullptr;
    std::unique_ptr<IAddressOpener> m_desktop;
    fw::CProfile* m_profile = nullptr;
    bool m_rewrite = true;
};
