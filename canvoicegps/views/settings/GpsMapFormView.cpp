#include "canvoicegps/views/settings/GpsMapFormView.h"

#include "canvoicegps/views/settings/DataDocMapFiles.h"
#include "canvoicegps/views/settings/QtAddressOpener.h"
#include "data/model/GpsMapUpload.h"
#include "data/model/KivDataDoc.h"
#include "framework/core/Profile.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/WinApp.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSysInfo>
#include <QVBoxLayout>

FW_IMPLEMENT_DYNCREATE(CGpsMapFormView, fw::CView)

CGpsMapFormView::CGpsMapFormView() = default;
CGpsMapFormView::~CGpsMapFormView() = default;

CKivDataDoc* CGpsMapFormView::GetDataDoc() const { return dynamic_cast<CKivDataDoc*>(GetDocument()); }

QWidget* CGpsMapFormView::Control(int id) const
{
    return m_form ? m_form->findChild<QWidget*>(QString::number(id)) : nullptr;
}

fw::CProfile* CGpsMapFormView::Profile() const
{
    if (m_profile)
        return m_profile;
    fw::CWinApp* app = fw::AfxGetApp();
    return app ? &app->Profile() : nullptr;
}

QWidget* CGpsMapFormView::CreateViewWidget(QWidget* parent)
{
    m_form = new QWidget(parent);
    auto* layout = new QVBoxLayout(m_form);
    layout->addWidget(new QLabel("設定したデータ数になるようにGPSのデータを間引きします。", m_form));
    layout->addWidget(new QLabel("データ数が多くなると地図の表示に時間が掛かります。", m_form));
    m_points = new QLineEdit(m_form);
    m_points->setObjectName(QString::number(kPoints));
    m_points->setText(QString::number(CGpsMapPublisher::kDefaultPoints));
    layout->addWidget(m_points);
    layout->addWidget(new QLabel("地図の大きさを指定します。", m_form));
    m_size = new QSlider(Qt::Horizontal, m_form);
    m_size->setObjectName(QString::number(kSize));
    m_size->setRange(CGpsMapPublisher::kMinSize, CGpsMapPublisher::kMaxSize);
    m_size->setValue(CGpsMapPublisher::kDefaultSize);
    layout->addWidget(new QLabel("300 ｘ 300", m_form));
    layout->addWidget(m_size);
    layout->addWidget(new QLabel("600 ｘ 600", m_form));
    auto* show = new QPushButton("ブラウザで地図の表示", m_form);
    show->setObjectName(QString::number(kShow));
    layout->addWidget(show);
    QObject::connect(show, &QPushButton::clicked, m_form, [this] { OnShowMap(); });
    return m_form;
}

void CGpsMapFormView::OnInitialUpdate()
{
    if (CKivDataDoc* doc = GetDataDoc())
        if (doc->GetMapPointCount() > 0)
            m_points->setText(QString::number(doc->GetMapPointCount()));
    fw::CView::OnInitialUpdate();
    fw::CProfile* profile = Profile();
    const int size = profile ? profile->GetProfileInt(CGpsMapPublisher::kSection, CGpsMapPublisher::kSizeKey,
                                                      CGpsMapPublisher::kDefaultSize)
                             : CGpsMapPublisher::kDefaultSize;
    m_size->setValue(size);
}

void CGpsMapFormView::OnUpdate(fw::CView*, intptr_t hint, fw::CObject*)
{
    if (hint == kHintMarkers)
        m_rewrite = true;
}

bool CGpsMapFormView::OnShowMap()
{
    CKivDataDoc* doc = GetDataDoc();
    fw::CProfile* profile = Profile();
    if (!doc || !profile)
        return false;
    bool ok = false;
    const int points = m_points->text().trimmed().toInt(&ok);
    IAddressOpener* opener = m_opener;
    if (!opener) {
        if (!m_desktop)
            m_desktop = std::make_unique<CQtAddressOpener>();
        opener = m_desktop.get();
    }
    CGpsMapUploader uploader(*profile);
    CDataDocMapFiles files(*doc, uploader, QSysInfo::machineHostName().toUtf8().constData());
    CGpsMapPublisher publisher(files, *opener, profile->GetProfileString(CGpsMapPublisher::kSection, "HOST"));
    if (!m_rewrite)
        publisher.MarkersCurrent();
    const bool shown = publisher.ShowMap(ok ? points : 0, m_size->value(), profile);
    m_rewrite = publisher.MustRewrite();
    return shown;
}
