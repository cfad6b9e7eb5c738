#include "graphdoc/views/GraphFontChooser.h"

#include "docbase/graphpage/DrawObj.h"
#include "framework/core/ServiceSlot.h"
#include "framework/ui/QtText.h"

#include <QFontDialog>

#include <cmath>

namespace {

class CQtFontChooser final : public IGraphFontChooser {
public:
    bool Choose(GraphFontChoice& choice) override
    {
        QFont initial;
        if (choice.fromObject) {
            initial.setFamily(fw::ToQ(choice.font.GetFaceName()));
            initial.setPointSizeF(choice.pointTenths / 10.0);
            initial.setItalic(choice.font.lfItalic != 0);
            initial.setUnderline(choice.font.lfUnderline != 0);
            initial.setStrikeOut(choice.font.lfStrikeOut != 0);
            initial.setBold(choice.font.lfWeight >= 600);
        }
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, initial);
        if (!ok)
            return false;
        choice.font.SetFaceName(fw::FromQ(font.family()));
        choice.font.lfItalic = font.italic() ? 1 : 0;
        choice.font.lfUnderline = font.underline() ? 1 : 0;
        choice.font.lfStrikeOut = font.strikeOut() ? 1 : 0;
        choice.font.lfWeight = font.bold() ? 700 : 400;
        choice.pointTenths = static_cast<int32_t>(std::lround(font.pointSizeF() * 10.0));
        return true;
    }
};

} // namespace

IGraphFontChooser& GraphFontChooser()
{
    static CQtFontChooser dialog;
    IGraphFontChooser* installed = fw::Installed<IGraphFontChooser>();
    return installed ? *installed : dialog;
}

void ApplyObjectFont(CDrawObj& object, const fw::LOGFONT& font)
{
    if (const fw::LOGFONT* own = object.GetFont())
        *const_cast<fw::LOGFONT*>(own) = font;
}
