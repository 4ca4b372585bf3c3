#include "link/line_settings.h"

#include <QCoreApplication>

#include <algorithm>

namespace kelvra {

namespace {

[[noreturn]] void reject(const QString& text, const QString& fault)
{
    throw LineSettingsError(QCoreApplication::translate("kelvra::LineSettings", "Line settings \"%1\": %2").arg(text, fault).toStdString());
}

// Plain decimal digits only: toInt() alone would let a sign or blanks through.
int parseDigits(const QString& field)
{
    const bool digits = !field.isEmpty()
        && std::all_of(field.begin(), field.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    bool ok = false;
    const int value = digits ? field.toInt(&ok) : 0;
    return ok ? value : -1;
}

QSerialPort::Parity parseParity(const QString& text, const QString& field)
{
    const QString letter = field.toLower();
    if (letter == u"n") return QSerialPort::NoParity;
    if (letter == u"e") return QSerialPort::EvenParity;
    if (letter == u"o") return QSerialPort::OddParity;
    if (letter == u"m") return QSerialPort::MarkParity;
    if (letter == u"s") return QSerialPort::SpaceParity;
    reject(text, QCoreApplication::translate("kelvra::LineSettings", "parity \"%1\" is not one of the letters n, e, o, m, s").arg(field));
}

QSerialPort::StopBits parseStopBits(const QString& text, const QString& field)
{
    if (field == u"1") return QSerialPort::OneStop;
    if (field == u"1.5") return QSerialPort::OneAndHalfStop;
    if (field == u"2") return QSerialPort::TwoStop;
    reject(text, QCoreApplication::translate("kelvra::LineSettings", "stop bits \"%1\" are not 1, 1.5 or 2").arg(field));
}

}  // namespace

LineSettings parseLineSettings(const QString& text)
{
    const QStringList fields = text.split(u',');
    if (fields.size() != 4)
        reject(text, QCoreApplication::translate("kelvra::LineSettings", "expected 4 comma-separated fields (baud,parity,data,stop), found %1")
                         .arg(fields.size()));

    LineSettings settings;
    settings.baudRate = parseDigits(fields[0]);
    if (settings.baudRate <= 0)
        reject(text, QCoreApplication::translate("kelvra::LineSettings", "baud rate \"%1\" is not a positive whole number").arg(fields[0]));
    settings.parity = parseParity(text, fields[1]);
    const int dataBits = parseDigits(fields[2]);
    if (dataBits < 5 || dataBits > 8)
        reject(text, QCoreApplication::translate("kelvra::LineSettings", "data bits \"%1\" are not 5, 6, 7 or 8").arg(fields[2]));
    settings.dataBits = static_cast<QSerialPort::DataBits>(dataBits);
    settings.stopBits = parseStopBits(text, fields[3]);
    return settings;
}

std::chrono::nanoseconds LineSettings::characterTime() const
{
    // One and a half stop bits counted as one: a character time that errs short never claims
    // for an earlier request a byte that may answer the current one.
    const int stop = stopBits == QSerialPort::TwoStop ? 2 : 1;
    const int bits = 1 + dataBits + (parity == QSerialPort::NoParity ? 0 : 1) + stop;
    return std::chrono::nanoseconds(std::int64_t(bits) * 1'000'000'000 / baudRate);
}

}  // namespace kelvra
