<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Archive</name>
    <message>
        <source>not a whole number of days from 1 up</source>
        <translation>not a whole number of days from 1 up</translation>
    </message>
    <message>
        <source>no folder given</source>
        <translation>no folder given</translation>
    </message>
    <message>
        <source>%1 and %2 cannot be given together</source>
        <translation>%1 and %2 cannot be given together</translation>
    </message>
    <message>
        <source>the file was removed while in use</source>
        <translation>the file was removed while in use</translation>
    </message>
    <message>
        <source>The archive could not pack its samples into miniSEED records.</source>
        <translation>The archive could not pack its samples into miniSEED records.</translation>
    </message>
    <message>
        <source>Another recorder is already archiving station %1 in %2.
This one records on screen only and keeps no archive.</source>
        <translation>Another recorder is already archiving station %1 in %2.
This one records on screen only and keeps no archive.</translation>
    </message>
    <message>
        <source>folder of the miniSEED archive (default %1)</source>
        <translation>folder of the miniSEED archive (default %1)</translation>
    </message>
    <message>
        <source>keep no archive</source>
        <translation>keep no archive</translation>
    </message>
    <message>
        <source>remove day files older than N days from the archive (default: keep all)</source>
        <translation>remove day files older than N days from the archive (default: keep all)</translation>
    </message>
    <message>
        <source>neither true nor false</source>
        <translation>neither true nor false</translation>
    </message>
    <message>
        <source>network, station and location codes of the archive (default %1)</source>
        <translation>network, station and location codes of the archive (default %1)</translation>
    </message>
    <message>
        <source>channel codes of CH-1..CH-4 in the archive (default %1)</source>
        <translation>channel codes of CH-1..CH-4 in the archive (default %1)</translation>
    </message>
    <message>
        <source>The archive took %1 readings; %2 requests left a gap: %3 without a reply, %4 not a number, %5 out of range, %6 cut short, %7 uncertain after an unanswered request.</source>
        <translation>The archive took %1 readings; %2 requests left a gap: %3 without a reply, %4 not a number, %5 out of range, %6 cut short, %7 uncertain after an unanswered request.</translation>
    </message>
    <message>
        <source>%1 ended in %2 bytes of a torn record, left by a recorder that was stopped while writing; they were cut off so that readers see what follows.</source>
        <translation>%1 ended in %2 bytes of a torn record, left by a recorder that was stopped while writing; they were cut off so that readers see what follows.</translation>
    </message>
    <message>
        <source>The system clock went back by %1 s. The archive keeps the samples of both times, so the day files hold that much twice over.</source>
        <translation>The system clock went back by %1 s. The archive keeps the samples of both times, so the day files hold that much twice over.</translation>
    </message>
    <message>
        <source>--keep-days removed the day files of %1 days at once from %2. If the system clock is wrong, set it right.</source>
        <translation>--keep-days removed the day files of %1 days at once from %2. If the system clock is wrong, set it right.</translation>
    </message>
    <message>
        <source>The archive cannot be written: %1: %2.
Recording goes on; the samples are kept in memory, up to a day, and written once the archive can be written again, which is tried every few seconds.</source>
        <translation>The archive cannot be written: %1: %2.
Recording goes on; the samples are kept in memory, up to a day, and written once the archive can be written again, which is tried every few seconds.</translation>
    </message>
    <message>
        <source>The archive in %1 is written again. %2 samples kept in memory meanwhile were written; %3 older ones did not fit and were dropped.</source>
        <translation>The archive in %1 is written again. %2 samples kept in memory meanwhile were written; %3 older ones did not fit and were dropped.</translation>
    </message>
    <message>
        <source>%1 samples kept in memory could not be written to the archive.</source>
        <translation>%1 samples kept in memory could not be written to the archive.</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Displays help on commandline options.</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Displays help including Qt specific options.</translation>
    </message>
</context>
<context>
    <name>StationCodes</name>
    <message numerus="yes">
        <source>%n letters or digits</source>
        <translation>
            <numerusform>%n letter or digit</numerusform>
            <numerusform>%n letters or digits</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 to %2 letters or digits</source>
        <translation>%1 to %2 letters or digits</translation>
    </message>
    <message>
        <source>%1 code &quot;%2&quot; is not %3</source>
        <translation>%1 code &quot;%2&quot; is not %3</translation>
    </message>
    <message>
        <source>station &quot;%1&quot; is not of the form NET.STA.LOC</source>
        <translation>station &quot;%1&quot; is not of the form NET.STA.LOC</translation>
    </message>
    <message>
        <source>network</source>
        <translation>network</translation>
    </message>
    <message>
        <source>station</source>
        <translation>station</translation>
    </message>
    <message>
        <source>location</source>
        <translation>location</translation>
    </message>
    <message>
        <source>channels &quot;%1&quot; are not four codes C1,C2,C3,C4</source>
        <translation>channels &quot;%1&quot; are not four codes C1,C2,C3,C4</translation>
    </message>
    <message>
        <source>channel</source>
        <translation>channel</translation>
    </message>
    <message>
        <source>channel code &quot;%1&quot; is given twice</source>
        <translation>channel code &quot;%1&quot; is given twice</translation>
    </message>
</context>
<context>
    <name>kelvra::Events</name>
    <message>
        <source>Event from %1 to %2 on %3, STA/LTA up to %4, %5 counts at most; listed in %6.</source>
        <translation>Event from %1 to %2 on %3, STA/LTA up to %4, %5 counts at most; listed in %6.</translation>
    </message>
    <message>
        <source>KELVRA: an event was recorded</source>
        <translation>KELVRA: an event was recorded</translation>
    </message>
    <message>
        <source>%1 on %2, STA/LTA up to %3</source>
        <translation>%1 on %2, STA/LTA up to %3</translation>
    </message>
    <message>
        <source>An event could not be added to the event list: %1. Recording goes on.</source>
        <translation>An event could not be added to the event list: %1. Recording goes on.</translation>
    </message>
    <message>
        <source>An event's miniSEED file could not be written: %1.</source>
        <translation>An event's miniSEED file could not be written: %1.</translation>
    </message>
    <message>
        <source>The on_event command &quot;%1&quot; failed: %2. Later failures of it are not reported.</source>
        <translation>The on_event command &quot;%1&quot; failed: %2. Later failures of it are not reported.</translation>
    </message>
    <message>
        <source>it ended with status %1</source>
        <translation>it ended with status %1</translation>
    </message>
    <message>
        <source>it was ended by signal %1</source>
        <translation>it was ended by signal %1</translation>
    </message>
    <message>
        <source>detect_channels names %1, which is not one of the station's channels (%2).</source>
        <translation>detect_channels names %1, which is not one of the station's channels (%2).</translation>
    </message>
    <message>
        <source>The event detector cannot work with its settings: %1.</source>
        <translation>The event detector cannot work with its settings: %1.</translation>
    </message>
</context>
<context>
    <name>kelvra::Detector</name>
    <message>
        <source>not LOW-HIGH in Hz with 0 &lt; LOW &lt; HIGH</source>
        <translation>not LOW-HIGH in Hz with 0 &lt; LOW &lt; HIGH</translation>
    </message>
    <message>
        <source>not a number of seconds above 0, up to 86400</source>
        <translation>not a number of seconds above 0, up to 86400</translation>
    </message>
    <message>
        <source>not a ratio above 1</source>
        <translation>not a ratio above 1</translation>
    </message>
    <message>
        <source>not a whole number from 1 to %1</source>
        <translation>not a whole number from 1 to %1</translation>
    </message>
    <message>
        <source>channel code &quot;%1&quot; is not 3 letters or digits</source>
        <translation>channel code &quot;%1&quot; is not 3 letters or digits</translation>
    </message>
    <message>
        <source>channel code &quot;%1&quot; is given twice</source>
        <translation>channel code &quot;%1&quot; is given twice</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>no command given</translation>
    </message>
    <message>
        <source>the band&apos;s upper edge, %1 Hz, is not below half the sample rate of %2 Hz</source>
        <translation>the band&apos;s upper edge, %1 Hz, is not below half the sample rate of %2 Hz</translation>
    </message>
    <message>
        <source>the off ratio %1 is not below the on ratio %2</source>
        <translation>the off ratio %1 is not below the on ratio %2</translation>
    </message>
    <message>
        <source>the short-term average of %1 s is not shorter than the long-term one of %2 s</source>
        <translation>the short-term average of %1 s is not shorter than the long-term one of %2 s</translation>
    </message>
    <message>
        <source>the short-term average of %1 s is shorter than a sample at %2 Hz</source>
        <translation>the short-term average of %1 s is shorter than a sample at %2 Hz</translation>
    </message>
    <message>
        <source>%1 channels are watched, fewer than the %2 an event needs</source>
        <translation>%1 channels are watched, fewer than the %2 an event needs</translation>
    </message>
    <message>
        <source>detect no events in the archived readings</source>
        <translation>detect no events in the archived readings</translation>
    </message>
    <message>
        <source>channel codes the event detector watches (default: every channel)</source>
        <translation>channel codes the event detector watches (default: every channel)</translation>
    </message>
    <message>
        <source>band-pass of the event detector in Hz (default %1)</source>
        <translation>band-pass of the event detector in Hz (default %1)</translation>
    </message>
    <message>
        <source>short-term average of the event detector in seconds (default %1)</source>
        <translation>short-term average of the event detector in seconds (default %1)</translation>
    </message>
    <message>
        <source>long-term average of the event detector in seconds (default %1)</source>
        <translation>long-term average of the event detector in seconds (default %1)</translation>
    </message>
    <message>
        <source>STA/LTA ratio above which a channel triggers (default %1)</source>
        <translation>STA/LTA ratio above which a channel triggers (default %1)</translation>
    </message>
    <message>
        <source>STA/LTA ratio at or below which its trigger ends (default %1)</source>
        <translation>STA/LTA ratio at or below which its trigger ends (default %1)</translation>
    </message>
    <message>
        <source>channels that must trigger together for an event (default %1)</source>
        <translation>channels that must trigger together for an event (default %1)</translation>
    </message>
    <message>
        <source>shell command run for every event, with its fields in KELVRA_* environment variables (default: none)</source>
        <translation>shell command run for every event, with its fields in KELVRA_* environment variables (default: none)</translation>
    </message>
</context>
<context>
    <name>kelvra::FailureReport</name>
    <message>
        <source>unknown error</source>
        <translation>unknown error</translation>
    </message>
</context>
<context>
    <name>kelvra::Form1</name>
    <message>
        <source>The save chord Ctrl+Alt+X is not available on this desktop: it offers no way to send keys to the active window. Recording goes on.</source>
        <translation>The save chord Ctrl+Alt+X is not available on this desktop: it offers no way to send keys to the active window. Recording goes on.</translation>
    </message>
</context>
<context>
    <name>kelvra::LineSettings</name>
    <message>
        <source>Line settings &quot;%1&quot;: %2</source>
        <translation>Line settings &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>parity &quot;%1&quot; is not one of the letters n, e, o, m, s</source>
        <translation>parity &quot;%1&quot; is not one of the letters n, e, o, m, s</translation>
    </message>
    <message>
        <source>stop bits &quot;%1&quot; are not 1, 1.5 or 2</source>
        <translation>stop bits &quot;%1&quot; are not 1, 1.5 or 2</translation>
    </message>
    <message>
        <source>expected 4 comma-separated fields (baud,parity,data,stop), found %1</source>
        <translation>expected 4 comma-separated fields (baud,parity,data,stop), found %1</translation>
    </message>
    <message>
        <source>baud rate &quot;%1&quot; is not a positive whole number</source>
        <translation>baud rate &quot;%1&quot; is not a positive whole number</translation>
    </message>
    <message>
        <source>data bits &quot;%1&quot; are not 5, 6, 7 or 8</source>
        <translation>data bits &quot;%1&quot; are not 5, 6, 7 or 8</translation>
    </message>
</context>
<context>
    <name>kelvra::PortAdvice</name>
    <message>
        <source>serial number %1</source>
        <translation>serial number %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>No serial port is known on this computer. A USB serial adapter appears here once it is plugged in.</source>
        <translation>No serial port is known on this computer. A USB serial adapter appears here once it is plugged in.</translation>
    </message>
    <message>
        <source>Serial ports on this computer:</source>
        <translation>Serial ports on this computer:</translation>
    </message>
    <message>
        <source>Choose the port with the option --port DEVICE, or with a line port=DEVICE in the settings file %1.</source>
        <translation>Choose the port with the option --port DEVICE, or with a line port=DEVICE in the settings file %1.</translation>
    </message>
    <message>
        <source>The port %1 was chosen in the settings file %2.</source>
        <translation>The port %1 was chosen in the settings file %2.</translation>
    </message>
    <message>
        <source>A USB adapter is best named by its /dev/serial/by-id/... name: it stays the same in any USB socket, and an adapter pulled out and plugged in again while recording is found again under it even when it comes back as another ttyUSB or ttyACM number.</source>
        <translation>A USB adapter is best named by its /dev/serial/by-id/... name: it stays the same in any USB socket, and an adapter pulled out and plugged in again while recording is found again under it even when it comes back as another ttyUSB or ttyACM number.</translation>
    </message>
</context>
<context>
    <name>kelvra::Recorder</name>
    <message>
        <source>Floating-point overflow or invalid operation while computing the chart grid</source>
        <translation>Floating-point overflow or invalid operation while computing the chart grid</translation>
    </message>
    <message>
        <source>Replies from the board keep arriving after the tick that should read them (more than one in twenty over the last minute), so the charts show them on the next channel. The usual cause is a USB serial adapter&apos;s latency timer: &quot;USB serial adapters&quot; in the README tells how to set it to 1 ms.</source>
        <translation>Replies from the board keep arriving after the tick that should read them (more than one in twenty over the last minute), so the charts show them on the next channel. The usual cause is a USB serial adapter&apos;s latency timer: &quot;USB serial adapters&quot; in the README tells how to set it to 1 ms.</translation>
    </message>
    <message>
        <source>The archive still keeps every reply it can give to its request.</source>
        <translation>The archive still keeps every reply it can give to its request.</translation>
    </message>
    <message>
        <source>The serial line %1 failed: %2
Recording goes on without data, and the device is tried again every 2 seconds.</source>
        <translation>The serial line %1 failed: %2
Recording goes on without data, and the device is tried again every 2 seconds.</translation>
    </message>
    <message>
        <source>The serial line %1 is back. Recording goes on with data.</source>
        <translation>The serial line %1 is back. Recording goes on with data.</translation>
    </message>
</context>
<context>
    <name>kelvra::Settings</name>
    <message>
        <source>no device is named</source>
        <translation>no device is named</translation>
    </message>
    <message>
        <source>serial device to use instead of the first serial port, e.g. /dev/ttyUSB0 or a pseudo-terminal</source>
        <translation>serial device to use instead of the first serial port, e.g. /dev/ttyUSB0 or a pseudo-terminal</translation>
    </message>
    <message>
        <source>Settings file %1: %2=%3 is not a setting of this program. Its settings are: %4.</source>
        <translation>Settings file %1: %2=%3 is not a setting of this program. Its settings are: %4.</translation>
    </message>
    <message>
        <source>Settings file %1: %2=%3 cannot be used: %4.</source>
        <translation>Settings file %1: %2=%3 cannot be used: %4.</translation>
    </message>
    <message>
        <source>The value &quot;%1&quot; of the option --%2 cannot be used: %3.</source>
        <translation>The value &quot;%1&quot; of the option --%2 cannot be used: %3.</translation>
    </message>
    <message>
        <source>Settings file %1: line %2 holds a NUL byte, which a text file cannot hold.</source>
        <translation>Settings file %1: line %2 holds a NUL byte, which a text file cannot hold.</translation>
    </message>
    <message>
        <source>Settings file %1: line %2 is longer than the %3 bytes a line may have.</source>
        <translation>Settings file %1: line %2 is longer than the %3 bytes a line may have.</translation>
    </message>
    <message>
        <source>It is line %1 of the file.</source>
        <translation>It is line %1 of the file.</translation>
    </message>
    <message>
        <source>Settings file %1: line %2, &quot;%3&quot;, is not of the form key=value.</source>
        <translation>Settings file %1: line %2, &quot;%3&quot;, is not of the form key=value.</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read: %2.</source>
        <translation>The settings file %1 cannot be read: %2.</translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation>it is not a file</translation>
    </message>
</context>
<context>
    <name>kelvra::StationXml</name>
    <message>
        <source>not a latitude in degrees from -90 to below 90</source>
        <translation>not a latitude in degrees from -90 to below 90</translation>
    </message>
    <message>
        <source>not a longitude in degrees from -180 to 180</source>
        <translation>not a longitude in degrees from -180 to 180</translation>
    </message>
    <message>
        <source>not a height in metres</source>
        <translation>not a height in metres</translation>
    </message>
    <message>
        <source>no site name given</source>
        <translation>no site name given</translation>
    </message>
    <message>
        <source>not a sensitivity above 0</source>
        <translation>not a sensitivity above 0</translation>
    </message>
    <message>
        <source>not one of M/S, M/S**2 and V</source>
        <translation>not one of M/S, M/S**2 and V</translation>
    </message>
    <message>
        <source>not a frequency above 0 in Hz</source>
        <translation>not a frequency above 0 in Hz</translation>
    </message>
    <message>
        <source>not a damping above 0, as a fraction of critical damping</source>
        <translation>not a damping above 0, as a fraction of critical damping</translation>
    </message>
    <message>
        <source>not four values separated by commas, one for each channel</source>
        <translation>not four values separated by commas, one for each channel</translation>
    </message>
    <message>
        <source>azimuth &quot;%1&quot; is not a number of degrees from 0 to below 360</source>
        <translation>azimuth &quot;%1&quot; is not a number of degrees from 0 to below 360</translation>
    </message>
    <message>
        <source>dip &quot;%1&quot; is not a number of degrees from -90 to 90</source>
        <translation>dip &quot;%1&quot; is not a number of degrees from -90 to 90</translation>
    </message>
    <message>
        <source>No StationXML written: the station&apos;s position is not fully given (%1 missing). Give latitude= and longitude= in degrees and elevation= in metres in the settings file %2, or --latitude, --longitude and --elevation.</source>
        <translation>No StationXML written: the station&apos;s position is not fully given (%1 missing). Give latitude= and longitude= in degrees and elevation= in metres in the settings file %2, or --latitude, --longitude and --elevation.</translation>
    </message>
    <message>
        <source>No StationXML written: sensor_units is given without sensor_sensitivity, the sensor&apos;s volts per input unit at %1 Hz.</source>
        <translation>No StationXML written: sensor_units is given without sensor_sensitivity, the sensor&apos;s volts per input unit at %1 Hz.</translation>
    </message>
    <message>
        <source>No StationXML written: sensor_sensitivity needs sensor_units=M/S or M/S**2; inputs in volts (sensor_units=V, the default) have no sensor stage.</source>
        <translation>No StationXML written: sensor_sensitivity needs sensor_units=M/S or M/S**2; inputs in volts (sensor_units=V, the default) have no sensor stage.</translation>
    </message>
    <message>
        <source>No StationXML written: sensor_natural_frequency and sensor_damping describe the geophone together; give both or neither.</source>
        <translation>No StationXML written: sensor_natural_frequency and sensor_damping describe the geophone together; give both or neither.</translation>
    </message>
    <message>
        <source>No StationXML written: the poles and zeros of sensor_natural_frequency and sensor_damping are a geophone&apos;s, whose output follows velocity; they need sensor_units=M/S.</source>
        <translation>No StationXML written: the poles and zeros of sensor_natural_frequency and sensor_damping are a geophone&apos;s, whose output follows velocity; they need sensor_units=M/S.</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>cannot write %1: %2</translation>
    </message>
    <message>
        <source>will not write %1: it exists and is not a regular file</source>
        <translation>will not write %1: it exists and is not a regular file</translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation>unexpected argument &quot;%1&quot;</translation>
    </message>
    <message>
        <source>try &apos;kelvra-stationxml --help&apos;</source>
        <translation>try &apos;kelvra-stationxml --help&apos;</translation>
    </message>
    <message>
        <source>Writes the station&apos;s FDSN StationXML: its position, its four channels and their response from counts to volts and, with a sensor, to ground motion.
Settings are read from %1; options given here override them.</source>
        <translation>Writes the station&apos;s FDSN StationXML: its position, its four channels and their response from counts to volts and, with a sensor, to ground motion.
Settings are read from %1; options given here override them.</translation>
    </message>
    <message>
        <source>the document to write (default: standard output)</source>
        <translation>the document to write (default: standard output)</translation>
    </message>
    <message>
        <source>the station&apos;s latitude in degrees, north positive (WGS84), for StationXML</source>
        <translation>the station&apos;s latitude in degrees, north positive (WGS84), for StationXML</translation>
    </message>
    <message>
        <source>the station&apos;s longitude in degrees, east positive (WGS84), for StationXML</source>
        <translation>the station&apos;s longitude in degrees, east positive (WGS84), for StationXML</translation>
    </message>
    <message>
        <source>the station&apos;s elevation in metres above sea level, for StationXML</source>
        <translation>the station&apos;s elevation in metres above sea level, for StationXML</translation>
    </message>
    <message>
        <source>the station&apos;s site name in StationXML (default: the station code)</source>
        <translation>the station&apos;s site name in StationXML (default: the station code)</translation>
    </message>
    <message>
        <source>the sensor&apos;s output in volts per input unit at %1 Hz, for StationXML</source>
        <translation>the sensor&apos;s output in volts per input unit at %1 Hz, for StationXML</translation>
    </message>
    <message>
        <source>what the sensor measures, for StationXML: M/S (velocity), M/S**2 (acceleration) or V (the inputs are voltages; the default)</source>
        <translation>what the sensor measures, for StationXML: M/S (velocity), M/S**2 (acceleration) or V (the inputs are voltages; the default)</translation>
    </message>
    <message>
        <source>the geophone&apos;s natural frequency in Hz, for StationXML</source>
        <translation>the geophone&apos;s natural frequency in Hz, for StationXML</translation>
    </message>
    <message>
        <source>the geophone&apos;s damping as a fraction of critical, such as 0.7, for StationXML</source>
        <translation>the geophone&apos;s damping as a fraction of critical, such as 0.7, for StationXML</translation>
    </message>
    <message>
        <source>azimuths of CH-1..CH-4 in degrees clockwise from north, for StationXML; an empty value keeps the default of the channel code</source>
        <translation>azimuths of CH-1..CH-4 in degrees clockwise from north, for StationXML; an empty value keeps the default of the channel code</translation>
    </message>
    <message>
        <source>dips of CH-1..CH-4 in degrees down from horizontal (-90 is up), for StationXML; an empty value keeps the default of the channel code</source>
        <translation>dips of CH-1..CH-4 in degrees down from horizontal (-90 is up), for StationXML; an empty value keeps the default of the channel code</translation>
    </message>
</context>
<context>
    <name>kelvra::UsbLatency</name>
    <message>
        <source>The USB serial adapter %1 passes on received bytes only every %2 ms (its latency timer), so replies to the 20 ms polls can arrive a tick late and show as &quot;通信エラー&quot;. Unplug the adapter and plug it in again so that the udev rule of the kelvra package sets it to 1 ms, or set it now, until the adapter is next plugged in, with:
  echo 1 | sudo tee %3</source>
        <translation>The USB serial adapter %1 passes on received bytes only every %2 ms (its latency timer), so replies to the 20 ms polls can arrive a tick late and show as &quot;通信エラー&quot;. Unplug the adapter and plug it in again so that the udev rule of the kelvra package sets it to 1 ms, or set it now, until the adapter is next plugged in, with:
  echo 1 | sudo tee %3</translation>
    </message>
</context>
<context>
    <name>kelvra::WindowFont</name>
    <message>
        <source>kelvra: no font with Japanese glyphs is installed, so the captions and the clock show as boxes. Install one, e.g. the Debian package fonts-ipafont-gothic.</source>
        <translation>kelvra: no font with Japanese glyphs is installed, so the captions and the clock show as boxes. Install one, e.g. the Debian package fonts-ipafont-gothic.</translation>
    </message>
</context>
<context>
    <name>kelvra::linkText</name>
    <message>
        <source>The port is not open</source>
        <translation>The port is not open</translation>
    </message>
    <message>
        <source>Port numbers start at 1</source>
        <translation>Port numbers start at 1</translation>
    </message>
    <message>
        <source>Input length %1 is negative</source>
        <translation>Input length %1 is negative</translation>
    </message>
    <message>
        <source>No device name was given; name one, e.g. --port /dev/ttyUSB0, or leave --port out to use the first serial port</source>
        <translation>No device name was given; name one, e.g. --port /dev/ttyUSB0, or leave --port out to use the first serial port</translation>
    </message>
    <message>
        <source>The device does not exist</source>
        <translation>The device does not exist</translation>
    </message>
    <message>
        <source>The device name is too long for this system (%1 characters)</source>
        <translation>The device name is too long for this system (%1 characters)</translation>
    </message>
    <message>
        <source>No permission to use the device. Serial devices belong to the group dialout: add yourself once with &quot;sudo adduser $USER dialout&quot; and log in again</source>
        <translation>No permission to use the device. Serial devices belong to the group dialout: add yourself once with &quot;sudo adduser $USER dialout&quot; and log in again</translation>
    </message>
    <message>
        <source>The device is in use by another program</source>
        <translation>The device is in use by another program</translation>
    </message>
    <message>
        <source>The device is in use by %1</source>
        <translation>The device is in use by %1</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 (process %2)</source>
        <translation>%1 (process %2)</translation>
    </message>
    <message>
        <source>This is not a serial device</source>
        <translation>This is not a serial device</translation>
    </message>
    <message>
        <source>The device cannot be opened (%1)</source>
        <translation>The device cannot be opened (%1)</translation>
    </message>
    <message>
        <source>The device refused the line settings (%1)</source>
        <translation>The device refused the line settings (%1)</translation>
    </message>
    <message>
        <source>The baud rate %1 is not supported on this system</source>
        <translation>The baud rate %1 is not supported on this system</translation>
    </message>
    <message>
        <source>1.5 stop bits are not supported on this system</source>
        <translation>1.5 stop bits are not supported on this system</translation>
    </message>
    <message>
        <source>Mark and space parity are not supported on this system</source>
        <translation>Mark and space parity are not supported on this system</translation>
    </message>
    <message>
        <source>The device is no longer available</source>
        <translation>The device is no longer available</translation>
    </message>
    <message>
        <source>The device is no longer available (%1)</source>
        <translation>The device is no longer available (%1)</translation>
    </message>
    <message>
        <source>Reading from the device failed (%1)</source>
        <translation>Reading from the device failed (%1)</translation>
    </message>
    <message>
        <source>Writing to the device failed (%1)</source>
        <translation>Writing to the device failed (%1)</translation>
    </message>
</context>
<context>
    <name>kelvra::main</name>
    <message>
        <source>Recorder for the KELVRA four-channel seismic converter board.
Settings are read from %1; options given here override them.</source>
        <translation>Recorder for the KELVRA four-channel seismic converter board.
Settings are read from %1; options given here override them.</translation>
    </message>
</context>
</TS>
