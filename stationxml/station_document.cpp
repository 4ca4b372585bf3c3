#include "stationxml/station_document.h"

#include "stationxml/response.h"

#include <QLocale>
#include <QXmlStreamWriter>

#include <algorithm>

namespace kelvra::stationxml {
namespace {

const QString kNamespace = QStringLiteral("http://www.fdsn.org/xml/station/1");
const QString kSchemaVersion = QStringLiteral("1.2");
const QString kCounts = QStringLiteral("COUNTS");

QString number(double value) { return QString::number(value, 'g', QLocale::FloatingPointShortest); }

QString dateTime(const QDateTime& at) { return at.toUTC().toString(Qt::ISODate); }

class DocumentWriter {
public:
    DocumentWriter(QIODevice& device, const StationDocument& document)
        : xml_(&device), document_(document), response_(responseOf(document.metadata))
    {
        xml_.setAutoFormatting(true);
    }

    bool write()
    {
        const auto& codes = document_.codes;
        const QDateTime firstStart =
            *std::min_element(document_.channelStarts.begin(), document_.channelStarts.end());
        xml_.writeStartDocument();
        xml_.writeDefaultNamespace(kNamespace);
        xml_.writeStartElement(QStringLiteral("FDSNStationXML"));
        xml_.writeAttribute(QStringLiteral("schemaVersion"), kSchemaVersion);
        xml_.writeTextElement(QStringLiteral("Source"), QStringLiteral("KELVRA"));
        xml_.writeTextElement(QStringLiteral("Sender"), QStringLiteral("KELVRA"));
        xml_.writeTextElement(QStringLiteral("Module"), document_.module);
        xml_.writeTextElement(QStringLiteral("Created"), dateTime(document_.created));
        startNode(QStringLiteral("Network"), codes.network, firstStart);
        startNode(QStringLiteral("Station"), codes.station, firstStart);
        writePosition();
        xml_.writeStartElement(QStringLiteral("Site"));
        const QString& site = document_.metadata.siteName;
        xml_.writeTextElement(QStringLiteral("Name"), site.isEmpty() ? codes.station : site);
        xml_.writeEndElement();
        for (std::size_t i = 0; i < codes.channels.size(); ++i)
            writeChannel(i);
        xml_.writeEndDocument();
        return !xml_.hasError();
    }

private:
    void startNode(const QString& name, const QString& code, const QDateTime& start)
    {
        xml_.writeStartElement(name);
        xml_.writeAttribute(QStringLiteral("code"), code);
        xml_.writeAttribute(QStringLiteral("startDate"), dateTime(start));
    }

    void writePosition()
    {
        const StationMetadata& metadata = document_.metadata;
        xml_.writeTextElement(QStringLiteral("Latitude"), number(metadata.latitude.value_or(0.0)));
        xml_.writeTextElement(QStringLiteral("Longitude"), number(metadata.longitude.value_or(0.0)));
        xml_.writeTextElement(QStringLiteral("Elevation"), number(metadata.elevation.value_or(0.0)));
    }

    void writeChannel(std::size_t index)
    {
        const QString& channel = document_.codes.channels[index];
        startNode(QStringLiteral("Channel"), channel, document_.channelStarts[index]);
        xml_.writeAttribute(QStringLiteral("locationCode"), document_.codes.location);
        writePosition();
        // The sensor is taken to be at the surface.
        xml_.writeTextElement(QStringLiteral("Depth"), number(0.0));
        const Orientation orientation =
            orientationOf(channel, document_.metadata.azimuths[index], document_.metadata.dips[index]);
        if (orientation.azimuth)
            xml_.writeTextElement(QStringLiteral("Azimuth"), number(*orientation.azimuth));
        if (orientation.dip)
            xml_.writeTextElement(QStringLiteral("Dip"), number(*orientation.dip));
        xml_.writeTextElement(QStringLiteral("SampleRate"), number(kSampleRateHz));
        writeResponse();
        xml_.writeEndElement();
    }

    void writeResponse()
    {
        xml_.writeStartElement(QStringLiteral("Response"));
        xml_.writeStartElement(QStringLiteral("InstrumentSensitivity"));
        writeGain(response_.countsPerUnit());
        writeUnits(unitsName(response_.inputUnits()), kCounts);
        xml_.writeEndElement();
        int stage = 1;
        if (response_.sensor)
            writeSensorStage(stage++, *response_.sensor);
        writeConverterStage(stage);
        xml_.writeEndElement();
    }

    void writeSensorStage(int stageNumber, const SensorStage& sensor)
    {
        startStage(stageNumber);
        xml_.writeStartElement(QStringLiteral("PolesZeros"));
        writeUnits(unitsName(sensor.units), unitsName(SensorUnits::Volts));
        xml_.writeTextElement(QStringLiteral("PzTransferFunctionType"), QStringLiteral("LAPLACE (RADIANS/SECOND)"));
        xml_.writeTextElement(QStringLiteral("NormalizationFactor"), number(sensor.polesZeros.normalizationFactor));
        xml_.writeTextElement(QStringLiteral("NormalizationFrequency"), number(kReferenceHz));
        writeRoots(QStringLiteral("Zero"), sensor.polesZeros.zeros);
        writeRoots(QStringLiteral("Pole"), sensor.polesZeros.poles);
        xml_.writeEndElement();
        writeStageGain(sensor.voltsPerUnit);
        xml_.writeEndElement();
    }

    // A digital stage of one coefficient: the converter adds no filter of its own.
    void writeConverterStage(int stageNumber)
    {
        startStage(stageNumber);
        xml_.writeStartElement(QStringLiteral("Coefficients"));
        writeUnits(unitsName(SensorUnits::Volts), kCounts);
        xml_.writeTextElement(QStringLiteral("CfTransferFunctionType"), QStringLiteral("DIGITAL"));
        xml_.writeStartElement(QStringLiteral("Numerator"));
        xml_.writeAttribute(QStringLiteral("number"), QStringLiteral("1"));
        xml_.writeCharacters(number(1.0));
        xml_.writeEndElement();
        xml_.writeEndElement();
        xml_.writeStartElement(QStringLiteral("Decimation"));
        xml_.writeTextElement(QStringLiteral("InputSampleRate"), number(kSampleRateHz));
        xml_.writeTextElement(QStringLiteral("Factor"), QStringLiteral("1"));
        xml_.writeTextElement(QStringLiteral("Offset"), QStringLiteral("0"));
        xml_.writeTextElement(QStringLiteral("Delay"), number(0.0));
        xml_.writeTextElement(QStringLiteral("Correction"), number(0.0));
        xml_.writeEndElement();
        writeStageGain(kCountsPerVolt);
        xml_.writeEndElement();
    }

    void startStage(int stageNumber)
    {
        xml_.writeStartElement(QStringLiteral("Stage"));
        xml_.writeAttribute(QStringLiteral("number"), QString::number(stageNumber));
    }

    void writeRoots(const QString& name, const std::vector<std::complex<double>>& roots)
    {
        for (std::size_t i = 0; i < roots.size(); ++i) {
            xml_.writeStartElement(name);
            xml_.writeAttribute(QStringLiteral("number"), QString::number(i));
            xml_.writeTextElement(QStringLiteral("Real"), number(roots[i].real()));
            xml_.writeTextElement(QStringLiteral("Imaginary"), number(roots[i].imag()));
            xml_.writeEndElement();
        }
    }

    void writeStageGain(double value)
    {
        xml_.writeStartElement(QStringLiteral("StageGain"));
        writeGain(value);
        xml_.writeEndElement();
    }

    void writeGain(double value)
    {
        xml_.writeTextElement(QStringLiteral("Value"), number(value));
        xml_.writeTextElement(QStringLiteral("Frequency"), number(kReferenceHz));
    }

    void writeUnits(const QString& input, const QString& output)
    {
        for (const auto& [element, name] : {std::pair{QStringLiteral("InputUnits"), input},
                                            std::pair{QStringLiteral("OutputUnits"), output}}) {
            xml_.writeStartElement(element);
            xml_.writeTextElement(QStringLiteral("Name"), name);
            xml_.writeEndElement();
        }
    }

    QXmlStreamWriter xml_;
    const StationDocument& document_;
    ChannelResponse response_;
};

}  // namespace

bool writeStationXml(QIODevice& device, const StationDocument& document)
{
    return DocumentWriter(device, document).write();
}

}  // namespace kelvra::stationxml
