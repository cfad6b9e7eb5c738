#pragma once

// Attribute sets that a graph's text elements apply around their drawing:
// a chain of sets applied in order and restored in reverse; the text set
// holds a font (height in tenths of a point), a background mode and a text
// alignment. The font object is made from the record for each drawing
// pass, at the resolution of the context it draws on.

#include "framework/core/DC.h"
#include "framework/core/Object.h"

#include <cstdint>
#include <memory>

// The 72-byte block the settings dialogs exchange.
struct tTextAttributes {
    fw::LOGFONT font;
    uint32_t fontSlot = 0; // where the font object stood; kept 0
    int32_t bkMode = 0;
    int32_t align = 0;
};
static_assert(sizeof(tTextAttributes) == 72);

class CEnvirons : public fw::CObject {
    FW_DECLARE_SERIAL(CEnvirons)
public:
    CEnvirons() = default;
    ~CEnvirons() override;

    // Attribute sets archive nothing of their own.
    void Serialize(fw::CArchive& ar) override {}

    // A new set whose chain is a copy of this one's.
    virtual CEnvirons* Clone() const;
    virtual void Apply(fw::CDC& dc) {}
    virtual void Restore(fw::CDC& dc) {}
    // This set first, then the rest.
    virtual void ApplyChain(fw::CDC& dc);
    // The rest first, then this set.
    virtual void RestoreChain(fw::CDC& dc);
    // Takes `next` at the end of the chain.
    virtual void Append(CEnvirons* next);

    CEnvirons* Next() const { return m_next.get(); }

protected:
    std::unique_ptr<CEnvirons> m_next;
};

class CEnvironment : public CEnvirons {
    FW_DECLARE_SERIAL(CEnvironment)
public:
    CEnvironment() = default;
    CEnvirons* Clone() const override;
};

class CTextEnvirons : public CEnvironment {
    FW_DECLARE_SERIAL(CTextEnvirons)
public:
    // The fixed-pitch default font, background mode 0, alignment 0.
    CTextEnvirons();
    ~CTextEnvirons() override;

    // The font record (numbers and face), background mode, alignment.
    void Serialize(fw::CArchive& ar) override;
    CEnvirons* Clone() const override;
    // Saves the context; selects the font (made when missing) and sets
    // the background mode (when the platform knows it) and the alignment.
    void Apply(fw::CDC& dc) override;
    // Back to the saved state; the font object is let go.
    void Restore(fw::CDC& dc) override;
    virtual void SetAttributes(const tTextAttributes& attributes);
    virtual void GetAttributes(tTextAttributes& attributes) const;

    const tTextAttributes& Attributes() const { return m_attributes; }

private:
    tTextAttributes m_attributes;
    std::unique_ptr<fw::CFont> m_font;
    int m_savedState = 0;
};
