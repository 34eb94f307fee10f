#include "gui/DisplayText.h"

#include <QStringDecoder>
#include <array>

namespace chainforge {
namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F; its five unassigned
// bytes there keep their C1 control code points, as Windows maps them.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QChar Windows1252Character(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return QChar(kWindows1252High[byte - 0x80]);
    }
    return QChar(byte);
}

QString FromWindows1252(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char byte : bytes) {
        text.append(Windows1252Character(static_cast<unsigned char>(byte)));
    }
    return text;
}

}  // namespace

QString DisplayText(std::string_view bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (decoder.hasError()) {
        return FromWindows1252(bytes);
    }
    return text;
}

std::string PathBytes(const QString& path) {
    return path.toUtf8().toStdString();
}

}  // namespace chainforge
