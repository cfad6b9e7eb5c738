// Whole graphs painted through Qt and compared with stored pictures. Fonts
// and anti-aliasing differ a little between machines, so a picture matches
// when only a small share of its pixels differ clearly; a missing series,
// a moved axis or a wrong scale changes far more than that.
// KIV_UPDATE_GOLDENS=1 writes the pictures anew.

#include "chart/model/ChartClasses.h"
#include "chart/model/GraphClasses.h"
#include "chart/model/KivGraphDraw.h"
#include "common/tank/FltDataTank.h"
#include "framework/ui/QPainterSink.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const std::string kGoldenFolder = std::string(KIV_SOURCE_DIR) + "/tests/chart/views/golden/";

void AddLine(CGraphSetting& graph, const std::vector<double>& x, const std::vector<double>& y)
{
    CGraphParamArray* series = graph.AddSeries(true);
    auto* tx = new CFltDataTank;
    auto* ty = new CFltDataTank;
    for (size_t i = 0; i < x.size(); ++i) {
        tx->SetValue(static_cast<int>(i), x[i]);
        ty->SetValue(static_cast<int>(i), y[i]);
    }
    series->AppendItem(0, 0, tx);
    series->AppendItem(0, 1, ty);
    ReleaseTank(tx);
    ReleaseTank(ty);
    series->SetDrawRange(0, static_cast<int>(x.size()) - 1);
}

QImage Paint(CKivGraphDraw& graph)
{
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        fw::CImageDC dc(image);
        const fw::CRect rect{0, 0, image.width(), image.height()};
        graph.AutoScale();
        graph.FitPlotRect(dc, rect);
        graph.CreatePlot();
        graph.DrawGraph(dc, rect);
    }
    return image;
}

bool Differs(QRgb a, QRgb b)
{
    constexpr int kChannelTolerance = 48;
    return std::abs(qRed(a) - qRed(b)) > kChannelTolerance || std::abs(qGreen(a) - qGreen(b)) > kChannelTolerance ||
           std::abs(qBlue(a) - qBlue(b)) > kChannelTolerance;
}

int InkedPixels(const QImage& image)
{
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            inked += Differs(image.pixel(x, y), qRgb(255, 255, 255)) ? 1 : 0;
    return inked;
}

// A pixel of one picture that no pixel near the same place in the other
// picture matches: a shift by one pixel (a font's rounding) is no change.
bool UnmatchedNear(const QImage& a, const QImage& b, int x, int y)
{
    const QRgb pixel = a.pixel(x, y);
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx;
            const int ny = y + dy;
            if (nx >= 0 && ny >= 0 && nx < b.width() && ny < b.height() && !Differs(pixel, b.pixel(nx, ny)))
                return false;
        }
    return true;
}

void ExpectLikeGolden(const QImage& image, const std::string& name)
{
    const std::string path = kGoldenFolder + name;
    if (std::getenv("KIV_UPDATE_GOLDENS")) {
        ASSERT_TRUE(image.save(QString::fromStdString(path), "PNG"));
        return;
    }
    QImage golden(QString::fromStdString(path));
    ASSERT_FALSE(golden.isNull()) << path;
    golden = golden.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(golden.size(), image.size()) << name;
    EXPECT_GT(InkedPixels(golden), image.width() * image.height() / 200) << name << ": the stored picture is nearly blank";
    int differing = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            differing += (UnmatchedNear(image, golden, x, y) || UnmatchedNear(golden, image, x, y)) ? 1 : 0;
    // Glyph shapes may differ between font versions; a series or an axis
    // line that moved or went missing differs by several hundred pixels.
    constexpr int kAllowedPixels = 150;
    EXPECT_LT(differing, kAllowedPixels) << name << ": " << differing << " pixels differ";
}

class GraphGolden : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterChartClasses();
        RegisterGraphClasses();
        graph.SetDefaultAxisTitles();
    }
    CKivGraphDraw graph;
};

TEST_F(GraphGolden, LineGraphWithAutoScaledAxes)
{
    std::vector<double> x, y;
    for (int i = 0; i <= 200; ++i) {
        x.push_back(i * 0.05);
        y.push_back(4.0 * std::sin(i * 0.05) + 0.3 * i * 0.05);
    }
    AddLine(graph, x, y);
    AddLine(graph, {0, 2.5, 5, 7.5, 10}, {-3, 1, -1, 2, 0.5});
    ExpectLikeGolden(Paint(graph), "line_graph_two_series.png");
}

TEST_F(GraphGolden, LongSeriesDrawnPerPixelColumn)
{
    // 200,000 points into a few hundred columns: the picture keeps every
    // column's extremes.
    std::vector<double> x, y;
    for (int i = 0; i < 200000; ++i) {
        x.push_back(i);
        y.push_back(std::sin(i * 0.001) * 100 + ((i * 7919) % 101 - 50) * 0.2);
    }
    AddLine(graph, x, y);
    ExpectLikeGolden(Paint(graph), "long_series.png");
}

} // namespace
