#pragma once

// One series of a graph: the data file it comes from (path and document
// identifier), its items (a line series: item 0 X, item 1 Y; a distribution
// series: item 0 the positions, items 1..n the value tanks), its style, the
// samples to draw and its display name. The drawer reads it through data
// cursors; the page passes updates of the documents on to it.

#include "chart/model/GraphDataTankAr.h"
#include "chart/model/SeriesStyle.h"
#include "common/base/DocIdent.h"
#include "common/tank/FltDataTank.h"
#include "framework/core/CString.h"
#include "framework/core/Collections.h"
#include "framework/core/Object.h"

#include <cstdint>
#include <memory>

class CDataTankList;
class CZELDataPoter;
namespace fw {
class CDocument;
}

// Where a series comes from, as a graph's owner hands it over.
struct tSeriesSource {
    fw::CString path;
    CDocIdent document;
    int16_t sampleOffset = 0;
    int16_t nameKind = 0;
};

class CGraphParamArray : public fw::CObject {
    FW_DECLARE_SERIAL(CGraphParamArray)
public:
    // Name kinds.
    static constexpr int16_t kNameFirstTwo = 0;
    static constexpr int16_t kNameSortedRange = 1;
    // Sort kinds of the value tanks of a distribution series.
    static constexpr int16_t kSortByXValue = 1;
    static constexpr int16_t kSortByTankIndex = 2;

    CGraphParamArray();
    ~CGraphParamArray() override;
    CGraphParamArray(const CGraphParamArray&) = delete;
    CGraphParamArray& operator=(const CGraphParamArray&) = delete;

    void Serialize(fw::CArchive& ar) override;

    // Graph types 31 to 34: several value tanks against their positions.
    static bool IsDistributionType(int type) { return type >= 31 && type <= 34; }
    bool IsDistribution() const { return IsDistributionType(m_graphType); }

    virtual void SetGraphType(int16_t type) { m_graphType = type; }
    virtual int16_t GetGraphType() const { return m_graphType; }
    virtual void SetStyle(const tSeriesStyle& style) { m_style = style; }
    virtual void SetSource(const tSeriesSource& source);
    // Moves a series of oldDoc to newDoc and path and rebinds its items of
    // xKey and yKey from the lists; false for another document's series or
    // when an item of those keys finds no tank in its list.
    virtual bool Attach(const CDocIdent& newDoc, const CDocIdent& oldDoc, const fw::CString& path, int32_t xKey,
                        CDataTankList* xTanks, int32_t yKey, CDataTankList* yTanks, bool rename);
    virtual void SetItem(int index, int32_t key, int32_t tankIndex, CDataTankObject* tank, bool addRef);
    // Appends to the tank list only: no record, no reference taken.
    virtual void AddTankToList(CDataTankObject* tank);
    // Only when the item has that key and tank index; an index outside the
    // items throws fw::CInvalidArgException.
    virtual bool ReplaceItemIfSame(int index, int32_t key, int32_t tankIndex, CDataTankObject* tank, bool addRef);
    virtual CDataTankObject* GetItemTank(int index) const;
    // Item 0, and both work tanks sized to size.
    virtual void SetFirstItem(int32_t key, int32_t tankIndex, CDataTankObject* tank, int size);
    virtual void AppendItem(int32_t key, int32_t tankIndex, CDataTankObject* tank);
    virtual void RebuildName();
    virtual bool NameFromFirstTwo(fw::CString& out) const;
    virtual bool NameFromTank1(int kind, fw::CString& out) const;
    virtual bool NameFromSortedRange(fw::CString& out) const;
    virtual void SetMark(bool on) { m_mark = on ? 1 : 0; }
    virtual bool GetMark() const { return m_mark != 0; }
    virtual bool IsMarkedInDocument() const { return m_mark && m_docFlag; }
    virtual bool IsInDocument() const { return m_docFlag != 0; }
    virtual void SetSortKind(int16_t kind) { m_sortKind = kind; }
    virtual void SetRedrawFlag(bool on) { m_redraw = on ? 1 : 0; }
    virtual bool GetRedrawFlag() const { return m_redraw != 0; }
    // For the series' own document: new path, and the items of xKey and yKey
    // take the tank at their index from the lists. Whether any item changed.
    virtual bool Rename(const fw::CString& path, const CDocIdent& doc, int32_t xKey, CDataTankList* xTanks,
                        int32_t yKey, CDataTankList* yTanks);
    virtual bool SetSourcePath(const CDocIdent& newDoc, const CDocIdent& oldDoc, const fw::CString& path);
    // An update hint of that kind; whether the series changed (kind 10:
    // whether it belongs to the hint's second document).
    virtual bool ApplyUpdate(int kind, const fw::CObject* info);
    virtual void SetSampleRange(const CDocIdent& doc, int first, int last);
    // Channels inserted (kind 7) or deleted (kind 8); info is a
    // CUpdateGraphInsertDelete.
    virtual void ShiftItems(int kind, const fw::CObject* info);
    // The flag tells whether the series' data belong to `document` (null
    // clears it); the document is found by identifier through the installed
    // lookup.
    virtual void MarkDocument(const fw::CDocument* document);
    virtual void ResetHook() {}
    virtual void SelectDocumentData(const fw::CDocument* document, int index);
    virtual void AddSampleIndex(bool replace, int index);
    virtual void InsertSampleIndex(int position, int index);
    virtual void SetSampleIndex(int position, int index);
    virtual int GetLastSamplePosition() const;
    virtual void SetDrawRange(int first, int last);
    // -1 outside the list.
    virtual int GetSampleIndex(int position) const;
    virtual int GetFirstUsableIndex() const;
    virtual int GetUsableCount() const;
    // Accessors over count values of tank 0 or 1 from first; null without the
    // tank. kindOut receives the tank's data type. Scaled accessors answer
    // their range from the tank's scale record (its maximum and minimum).
    virtual std::unique_ptr<CZELDataPoter> MakeXCursor(int16_t& kindOut, bool scaled, int first, int count) const;
    virtual std::unique_ptr<CZELDataPoter> MakeYCursor(int16_t& kindOut, bool scaled, int first, int count) const;
    virtual double GetXCurrent() const;
    virtual double GetYCurrent() const;
    virtual int GetLastItem() const;
    // Distribution series: sorts the value tanks by the sort kind and gives
    // an accessor over their positions.
    virtual std::unique_ptr<CZELDataPoter> MakePositionCursor();
    // The values of every value tank at the selected sample `position`.
    virtual std::unique_ptr<CZELDataPoter> MakeValueCursor(int position);
    virtual std::unique_ptr<CZELDataPoter> MakeComputedValueCursor();

    // --- not virtual ------------------------------------------------------
    const tSeriesStyle& GetStyle() const { return m_style; }
    const fw::CString& GetName() const { return m_name; }
    void SetName(const fw::CString& name) { m_name = name; }
    const fw::CString& GetSourcePath() const { return m_sourcePath; }
    const CDocIdent& GetSourceDocument() const { return m_sourceDoc; }
    int16_t GetSampleOffset() const { return m_sampleOffset; }
    int16_t GetNameKind() const { return m_nameKind; }
    int16_t GetSortKind() const { return m_sortKind; }
    bool GetSelectFlag() const { return m_select != 0; }
    void SetSelectFlag(bool on) { m_select = on ? 1 : 0; }
    bool HasDrawType() const { return m_hasDrawType != 0; }
    // The style's draw type, archived from now on.
    void SetDrawType(int16_t type);
    CGraphDataTankAr* GetTanks() const { return m_tanks.get(); }
    int GetItemCount() const { return m_tanks ? m_tanks->GetSize() : 0; }
    const fw::CArray<int32_t>* GetSampleList() const { return m_samples.get(); }
    tPenState& PenState() { return m_penState; }
    uint8_t GetRestart() const { return m_restart; }
    void SetRestart(uint8_t restart) { m_restart = restart; }
    // The last sample index that incremental drawing and the live regression
    // have taken in (-1: none yet); kept per series so that every sample
    // that arrived between two calls is used, not only the newest.
    int GetLastDrawnIndex() const { return m_lastDrawn; }
    void SetLastDrawnIndex(int index) { m_lastDrawn = index; }
    int GetLastFedIndex() const { return m_lastFed; }
    void SetLastFedIndex(int index) { m_lastFed = index; }
    // The last index of the shorter of tanks 0 and 1; -1 when one is missing.
    int GetShorterLastIndex() const;

private:
    std::unique_ptr<CZELDataPoter> MakeCursor(int item, int16_t& kindOut, bool scaled, int first, int count) const;
    // The value tanks (items 1..n) in their sorted order.
    void SortValueTanks();
    // Fills the value tank from values[i] and gives an accessor over it.
    std::unique_ptr<CZELDataPoter> ValueTankCursor(const std::vector<double>& values);

    int16_t m_graphType = 0;
    uint8_t m_mark = 0;
    fw::CString m_name;
    int16_t m_sortKind = kSortByXValue;
    uint8_t m_redraw = 0;
    uint8_t m_select = 1;
    tSeriesStyle m_style;
    fw::CString m_sourcePath;
    CDocIdent m_sourceDoc;
    int16_t m_sampleOffset = 0;
    int16_t m_nameKind = kNameFirstTwo;
    std::unique_ptr<CGraphDataTankAr> m_tanks;
    std::unique_ptr<fw::CArray<int32_t>> m_samples;
    tPenState m_penState;
    uint8_t m_restart = 0;
    uint8_t m_hasDrawType = 0;
    CFltDataTank m_positionTank;
    CFltDataTank m_valueTank;
    uint8_t m_docFlag = 0;
    int32_t m_lastDrawn = -1;
    int32_t m_lastFed = -1;
};
