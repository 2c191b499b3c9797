#include "widgets/fonts.h"

namespace zental {

QFont layoutFont(layout::Font font) {
#ifdef Q_OS_WIN
    QFont qfont(QStringLiteral("MS Sans Serif"));
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
