#include "chart/model/TextEnvirons.h"

#include "common/base/LogFont.h"
#include "framework/core/Archive.h"
#include "framework/core/Format.h"

#include <cstdlib>

FW_IMPLEMENT_SERIAL(CEnvirons, fw::CObject, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CEnvironment, CEnvirons, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CTextEnvirons, CEnvironment, fw::VERSIONABLE_SCHEMA | 1)

CEnvirons::~CEnvirons() = default;

CEnvirons* CEnvirons::Clone() const
{
    auto* copy = new CEnvirons;
    if (m_next)
        copy->m_next.reset(m_next->Clone());
    return copy;
}

void CEnvirons::ApplyChain(fw::CDC& dc)
{
    Apply(dc);
    if (m_next)
        m_next->ApplyChain(dc);
}

void CEnvirons::RestoreChain(fw::CDC& dc)
{
    if (m_next)
        m_next->RestoreChain(dc);
    Restore(dc);
}

void CEnvirons::Append(CEnvirons* next)
{
    if (m_next)
        m_next->Append(next);
    else
        m_next.reset(next);
}

CEnvirons* CEnvironment::Clone() const
{
    return new CEnvironment;
}

CTextEnvirons::CTextEnvirons()
{
    SetDefaultLogFont(&m_attributes.font, false, 0);
}

CTextEnvirons::~CTextEnvirons() = default;

void CTextEnvirons::Serialize(fw::CArchive& ar)
{
    SerializeLogFont(ar, m_attributes.font);
    if (ar.IsStoring())
        ar << m_attributes.bkMode << m_attributes.align;
    else
        ar >> m_attributes.bkMode >> m_attributes.align;
}

CEnvirons* CTextEnvirons::Clone() const
{
    auto* copy = new CTextEnvirons;
    copy->m_attributes = m_attributes;
    return copy;
}

void CTextEnvirons::Apply(fw::CDC& dc)
{
    m_savedState = dc.SaveDC();
    if (!m_font) {
        // Tenths of a point at the context's resolution, as logical units.
        fw::LOGFONT lf = m_attributes.font;
        fw::CSize size(0, fw::MulDiv(lf.lfHeight, dc.GetDeviceCaps(fw::LOGPIXELSY), 720));
        dc.DPtoLP(&size);
        lf.lfHeight = -std::abs(size.cy);
        m_font = std::make_unique<fw::CFont>();
        if (!m_font->CreateFontIndirect(lf))
            m_font.reset();
    }
    if (!m_font)
        return;
    dc.SelectObject(m_font.get());
    if (m_attributes.bkMode == fw::TRANSPARENT || m_attributes.bkMode == fw::OPAQUE)
        dc.SetBkMode(m_attributes.bkMode);
    dc.SetTextAlign(static_cast<unsigned>(m_attributes.align));
}

void CTextEnvirons::Restore(fw::CDC& dc)
{
    dc.RestoreDC(m_savedState);
    m_font.reset();
}

void CTextEnvirons::SetAttributes(const tTextAttributes& attributes)
{
    m_attributes = attributes;
    m_attributes.fontSlot = 0;
}

void CTextEnvirons::GetAttributes(tTextAttributes& attributes) const
{
    attributes = m_attributes;
}
