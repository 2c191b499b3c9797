#include "widgets/fonts.h"

namespace zental {

QFont layoutFont(layout::Font font) {
#ifdef Q_OS_WIN
    // The TrueType face with the bitmap "MS Sans Serif"'s metrics, on every Windows since 2000:
    // the same layout at 96 DPI, and clean at 125 %, 150 % and 200 % display scaling.
    QFont qfont(QStringLiteral("Microsoft Sans Serif"));
#else
    // The Windows face does not exist here. Liberation Sans has Arial's widths, so the captions
    // fit their fields as drawn; naming it directly spares a font fallback search per face.
    QFont qfont(QStringLiteral("Liberation Sans"));
#endif
    const layout::FontFace& face = layout::fontFaces.at(static_cast<size_t>(font));
    qfont.setPointSizeF(face.pointSize);
    qfont.setBold(face.bold);
    qfont.setItalic(face.italic);
    return qfont;
}

} // namespace zental
