#include "manualimages.h"

#include "manualerror.h"

#include <QDir>
#include <QImage>
#include <QList>
#include <QTextBlock>
#include <QTextCursor>
#include <QUrl>

#include <algorithm>

namespace {

struct ImagePlace
{
    int position;
    QTextImageFormat format;
    bool aloneInBlock;
};

QList<ImagePlace> FindImages(const QTextDocument& document)
{
    QList<ImagePlace> places;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextFragment piece = fragment.fragment();
            if (piece.charFormat().isImageFormat())
                places.append({piece.position(), piece.charFormat().toImageFormat(),
                               block.text().trimmed().size() == 1});
        }
    }
    return places;
}

} // namespace

void EmbedImages(QTextDocument& document, const QString& folder, const PageGeometry& page)
{
    for (const ImagePlace& place : FindImages(document)) {
        const QString name = place.format.name();
        const QImage image(QDir(folder).filePath(name));
        if (image.isNull())
            throw ManualError{QStringLiteral("cannot load the image %1 of %2").arg(name, folder)};
        document.addResource(QTextDocument::ImageResource, QUrl(name), image);

        // A screenshot pixel is one screen pixel, as the operator sees the program.
        const QSizeF room = page.TextInPixels();
        const qreal scale =
            std::min({1.0, room.width() / image.width(), 0.8 * room.height() / image.height()});
        QTextImageFormat format = place.format;
        format.setWidth(image.width() * scale);
        format.setHeight(image.height() * scale);
        QTextCursor cursor(&document);
        cursor.setPosition(place.position);
        cursor.setPosition(place.position + 1, QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
        if (place.aloneInBlock) {
            QTextBlockFormat block = cursor.blockFormat();
            block.setAlignment(Qt::AlignHCenter);
            block.setLineHeight(100, QTextBlockFormat::ProportionalHeight);
            cursor.setBlockFormat(block);
        }
    }
}
