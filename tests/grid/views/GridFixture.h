#pragma once

// A grid over a table held by the test, inside a shown top-level window,
// with helpers that drive it as a user would.

#include "framework/ui/Wnd.h"
#include "grid/model/GridStyle.h"
#include "grid/views/Grid.h"
#include "grid/views/GridPane.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace gridtest {

// Remembers the messages its children send.
class RecordingParent : public fw::CWnd {
public:
    RecordingParent()
    {
        auto* w = new QWidget;
        w->resize(500, 400);
        Attach(w);
    }
    intptr_t OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override
    {
        messages.push_back({message, wParam, lParam});
        return 0;
    }
    int Count(uint32_t message) const
    {
        int n = 0;
        for (const auto& m : messages)
            n += m.message == message;
        return n;
    }
    struct Message {
        uint32_t message;
        uintptr_t wParam;
        intptr_t lParam;
    };
    std::vector<Message> messages;
};

// A grid whose owner is a map of texts; cells named in `readOnly` refuse editing.
class TableGrid : public CZELGrid {
public:
    std::map<std::pair<int, int>, std::string> cells;  // (row, col) -> text
    std::vector<std::pair<int, int>> drawnAsked;        // cells asked for drawing
    std::vector<std::string> stored;                    // "row,col=text/from"
    std::vector<int> undo;
    bool editable = true;
    bool acceptStore = true;

    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override
    {
        if (display)
            drawnAsked.emplace_back(row, col);
        auto it = cells.find({row, col});
        if (it == cells.end())
            return false;
        text = it->second;
        return true;
    }
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t, int) override
    {
        text.Format("C%d", col);
        return true;
    }
    bool GetRowHeaderText(fw::CString& text, int32_t, int32_t row, int) override
    {
        text.Format("%d", row + 1);
        return true;
    }
    bool GetSheetEditText(int32_t row, int32_t col, fw::CString& text) override
    {
        if (!editable)
            return false;
        auto it = cells.find({row, col});
        text = it == cells.end() ? "" : it->second;
        return true;
    }
    bool SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor) override
    {
        stored.push_back(std::to_string(row) + "," + std::to_string(col) + "=" + text.str() + "/" +
                         std::to_string(fromEditor));
        if (!acceptStore)
            return false;
        cells[{row, col}] = text.str();
        return true;
    }
    void RecordUndo(CZELGridPane*, int change, const CCellRange*) override { undo.push_back(change); }
};

// A style of `cols` x `rows` sheet cells 64 x 20, headers 50 wide and 20 high.
inline std::unique_ptr<CZELGridStyle> MakeStyle(int cols, int rows, int rowDefault = -20)
{
    auto style = std::make_unique<CZELGridStyle>();
    style->SetDimensions(1, 1, 1, 1, cols, rows);
    style->SetDefaultSizes(50, 20, 50, -20, 64, rowDefault);
    style->ApplySizes();
    return style;
}

class GridFixture {
public:
    explicit GridFixture(int cols = 10, int rows = 100, int width = 400, int height = 300)
        : style(MakeStyle(cols, rows))
    {
        grid.Create(fw::CRect(0, 0, width, height), &parent, 1000);
        grid.SetStyle(style.get());
        parent.Widget()->show();
        parent.Widget()->activateWindow();
        QApplication::setActiveWindow(parent.Widget());
        Sheet()->Widget()->setFocus();
        QApplication::processEvents();
        parent.messages.clear();
    }
    ~GridFixture() { QApplication::processEvents(); }

    CZELGridPane* Sheet() const { return grid.GetSheetPane(); }
    QWidget* SheetWidget() const { return Sheet()->Widget(); }

    // The centre of a sheet cell in the sheet's coordinates.
    QPoint CellCentre(int row, int col) const
    {
        const fw::CRect r = Sheet()->GetCellRect(CCellRange::Cell({row, col}));
        return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    void Press(QWidget* w, QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QMouseEvent e(QEvent::MouseButtonPress, p, w->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, mods);
        QApplication::sendEvent(w, &e);
    }
    void Move(QWidget* w, QPoint p)
    {
        QMouseEvent e(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    void Release(QWidget* w, QPoint p)
    {
        QMouseEvent e(QEvent::MouseButtonRelease, p, w->mapToGlobal(p), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    void Click(int row, int col, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        Press(SheetWidget(), CellCentre(row, col), mods);
        Release(SheetWidget(), CellCentre(row, col));
    }
    // A key typed on whatever has the focus (the sheet when nothing does).
    void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = QString())
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : SheetWidget();
        QKeyEvent press(QEvent::KeyPress, key, mods, text);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, mods, text);
        if (QWidget* now = QApplication::focusWidget())
            QApplication::sendEvent(now, &release);
    }
    void Type(const QString& text)
    {
        for (QChar c : text)
            Key(c.isDigit() ? Qt::Key_0 + (c.unicode() - '0') : Qt::Key_A, Qt::NoModifier, QString(c));
    }

    RecordingParent parent;
    std::unique_ptr<CZELGridStyle> style;
    TableGrid grid;
};

} // namespace gridtest
