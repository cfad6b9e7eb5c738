#include "graphdoc/views/SheetSelectCombBox.h"

#include "framework/ui/QtText.h"

#include <QComboBox>

FW_IMPLEMENT_DYNAMIC(CSheetSelectCombBox, fw::CComboBox)

CSheetSelectCombBox::CSheetSelectCombBox() : fw::CComboBox(fw::CComboBox::Kind::dropList)
{
}

void CSheetSelectCombBox::Sync()
{
    ResetContent();
    for (size_t i = 0; i < m_list.m_items.size(); ++i) {
        const int index = AddString(m_list.m_items[i].text);
        if (QComboBox* combo = Combo(); combo && !m_list.IsOpen(static_cast<int>(i))) {
            QFont font = combo->font();
            font.setItalic(true);
            combo->setItemData(index, font, Qt::FontRole);
        }
    }
    SetCurSel(m_list.m_selected);
}

bool CSheetSelectCombBox::FillDocuments(CKivDocBase** out, const CDocIdent& ident, const fw::CString& name,
                                        bool projectOnly, int firstTemplate)
{
    const bool ok = m_list.FillDocuments(out, ident, name, projectOnly, firstTemplate);
    Sync();
    return ok;
}

bool CSheetSelectCombBox::AddDocument(const CDocIdent& ident, const fw::CString& name)
{
    const bool ok = m_list.AddDocument(ident, name);
    Sync();
    return ok;
}

bool CSheetSelectCombBox::AddPageSources(const CGraphViewDoc& page)
{
    const bool ok = m_list.AddPageSources(page);
    Sync();
    return ok;
}

bool CSheetSelectCombBox::SelectDocument(const CDocIdent& ident)
{
    m_list.m_selected = GetCurSel();
    const bool changed = m_list.SelectDocument(ident);
    SetCurSel(m_list.m_selected);
    return changed;
}

const CDocIdent* CSheetSelectCombBox::GetSelectedIdent()
{
    m_list.m_selected = GetCurSel();
    return m_list.SelectedIdent();
}
