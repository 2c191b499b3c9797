#include "fonts.h"

namespace zental {

QFont layoutFont(layout::Font font) {
    // Windows has the face itself; elsewhere Liberation Sans keeps its widths close enough
    // for the captions to fit their fields as drawn.
    static const bool substituted = [] {
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
        return true;
    }();
    (void)substituted;
    const layout::FontFace& face = layout::fontFaces.at(static_cast<size_t>(font));
    QFont qfont(QStringLiteral("MS Sans Serif"));
    qfont.setPointSizeF(face.pointSize);
    qfont.setBold(face.bold);
    qfont.setItalic(face.italic);
    return qfont;
}

} // namespace zental
