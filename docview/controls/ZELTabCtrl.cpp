#include "docview/controls/ZELTabCtrl.h"

#include "docbase/controls/SysColors.h"
#include "framework/core/DC.h"
#include "framework/ui/QPainterSink.h"
#include "framework/ui/QtText.h"

#include <QApplication>
#include <QPainter>
#include <QTabBar>

FW_IMPLEMENT_DYNAMIC(CZELTabCtrl, fw::CControl)

namespace {

class TabBar final : public QTabBar {
public:
    explicit TabBar(CZELTabCtrl* owner) : m_owner(owner) {}

protected:
    void paintEvent(QPaintEvent* event) override
    {
        if (!m_owner->m_bOwnerDraw) {
            QTabBar::paintEvent(event);
            return;
        }
        QPainter painter(this);
        fw::QPainterSink sink(&painter);
        fw::CDC dc(&sink);
        for (int i = 0; i < count(); ++i) {
            appctl::DrawItemInfo info;
            info.itemID = i;
            info.rcItem = fw::FromQ(tabRect(i));
            if (i == currentIndex())
                info.itemState |= appctl::ODS_SELECTED;
            m_owner->Guard([&] { m_owner->DrawItem(dc, info); });
        }
    }

private:
    CZELTabCtrl* m_owner;
};

fw::LOGFONT LogFontOf(const QFont& font)
{
    fw::LOGFONT lf;
    const int pixels = font.pixelSize() > 0 ? font.pixelSize()
                                            : static_cast<int>(font.pointSizeF() * fw::kDisplayDpi / 72.0 + 0.5);
    lf.lfHeight = -pixels;
    lf.lfWeight = font.weight();
    lf.lfItalic = font.italic() ? 1 : 0;
    lf.lfUnderline = font.underline() ? 1 : 0;
    lf.lfCharSet = fw::SHIFTJIS_CHARSET;
    lf.SetFaceName(fw::FromQ(font.family()));
    return lf;
}

} // namespace

CZELTabCtrl::CZELTabCtrl()
{
    Attach(new TabBar(this));
    QObject::connect(Bar(), &QTabBar::currentChanged, [this] { Notify(fw::CBN_SELCHANGE); });
}

CZELTabCtrl::~CZELTabCtrl()
{
    DestroyWidgetNow();
}

QTabBar* CZELTabCtrl::Bar() const
{
    return static_cast<QTabBar*>(Widget());
}

int CZELTabCtrl::InsertItem(int index, const fw::CString& text, int image)
{
    const int at = Bar()->insertTab(index, fw::ToQ(text));
    Bar()->setTabData(at, image);
    return at;
}

int CZELTabCtrl::GetItemCount() const
{
    return Bar()->count();
}

int CZELTabCtrl::GetCurSel() const
{
    return Bar()->currentIndex();
}

int CZELTabCtrl::SetCurSel(int index)
{
    const int old = Bar()->currentIndex();
    if (index < 0 || index >= Bar()->count())
        return -1;
    Bar()->setCurrentIndex(index);
    return old;
}

bool CZELTabCtrl::GetItem(int index, fw::CString& text, int& image) const
{
    if (index < 0 || index >= Bar()->count())
        return false;
    text = fw::FromQ(Bar()->tabText(index).left(kMaxItemText));
    const QVariant data = Bar()->tabData(index);
    image = data.isValid() ? data.toInt() : -1;
    return true;
}

fw::CRect CZELTabCtrl::GetItemRect(int index) const
{
    return fw::FromQ(Bar()->tabRect(index));
}

void CZELTabCtrl::SetImageList(int cx, int cy)
{
    m_imageCx = cx;
    m_imageCy = cy;
}

void CZELTabCtrl::SetOwnerDraw(uint8_t on)
{
    m_bOwnerDraw = on;
    Bar()->update();
}

void CZELTabCtrl::SetFonts(int32_t selWeight, uint8_t selItalic, uint8_t selUnderline, int32_t weight, uint8_t italic,
                           uint8_t underline)
{
    const QFont base = Bar()->font();
    fw::LOGFONT lf = LogFontOf(base.family().isEmpty() ? QApplication::font("QMessageBox") : base);
    fw::LOGFONT selected = lf;
    selected.lfWeight = selWeight;
    selected.lfItalic = selItalic;
    selected.lfUnderline = selUnderline;
    fw::LOGFONT other = lf;
    other.lfWeight = weight;
    other.lfItalic = italic;
    other.lfUnderline = underline;
    m_fontSelected = fw::CFont();
    m_fontOther = fw::CFont();
    m_fontSelected.CreateFontIndirect(selected);
    m_fontOther.CreateFontIndirect(other);
    // The heavier font sizes the tabs.
    Bar()->setFont(fw::QPainterSink::FontOf(weight >= selWeight ? other : selected));
    Bar()->update();
}

fw::LOGFONT CZELTabCtrl::GetControlFont() const
{
    return LogFontOf(Bar()->font());
}

fw::CRect CZELTabCtrl::StripRect(const fw::CRect& w, const fw::CRect& t)
{
    fw::CRect r;
    r.bottom = w.bottom + t.top + 1;
    r.top = r.bottom - (t.bottom - t.top) - 9;
    r.left = w.left + 2;
    r.right = w.right - 2;
    return r;
}

void CZELTabCtrl::ResizeClient()
{
    fw::CWnd* owner = m_owner ? m_owner : GetParent();
    QWidget* ownerWidget = owner ? owner->Widget() : (Widget() ? Widget()->parentWidget() : nullptr);
    if (!ownerWidget)
        return;
    MoveWindow(StripRect(fw::FromQ(ownerWidget->rect()), GetItemRect(0)), true);
}

void CZELTabCtrl::DrawItem(fw::CDC& dc, const appctl::DrawItemInfo& info)
{
    using namespace appctl;
    fw::CString text;
    int image = -1;
    if (info.itemID < 0 || !GetItem(info.itemID, text, image))
        return;
    dc.SaveDC();
    const int edge = GetSystemMetrics(SM_CYEDGE);
    fw::CRect rect = info.rcItem;
    rect.top += edge;
    rect.bottom += edge;
    dc.SetBkMode(fw::TRANSPARENT);
    dc.FillSolidRect(rect, GetSysColor(COLOR_BTNFACE));
    if (HasImageList() && image >= 0) {
        rect.left += dc.GetTextExtent(" ").cx;
        DrawImage(dc, image, rect.left, rect.top);
        rect.left += m_imageCx;
    }
    if (info.itemID == GetCurSel()) {
        if (m_fontSelected.m_created)
            dc.SelectObject(&m_fontSelected);
        rect.top -= edge;
        dc.DrawText(text, &rect, fw::DT_SINGLELINE | fw::DT_CENTER | fw::DT_VCENTER);
    } else {
        if (m_fontOther.m_created)
            dc.SelectObject(&m_fontOther);
        dc.DrawText(text, &rect, fw::DT_SINGLELINE | fw::DT_CENTER | fw::DT_BOTTOM);
    }
    dc.RestoreDC(-1);
}
