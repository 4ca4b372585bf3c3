#pragma once

#include "archive/station_codes.h"

#include <QDate>
#include <QString>
#include <vector>

namespace kelvra::archive {

// The archive's folder and file names: the SDS layout that slarchive and SeisComP write, spelled
// in one format in sds_layout.cpp. Whatever writes, prunes or reads the archive (the writer,
// retention, the helicorder, the event tools) names day files and streams only through this, so
// that a change of layout is made in one place:
//   <root>/<YEAR>/<NET>/<STA>/<CHA>.D/<NET>.<STA>.<LOC>.<CHA>.D.<YEAR>.<DOY>
// with YEAR and DOY (001..366) of the UTC day.
class SdsLayout {
public:
    explicit SdsLayout(const QString& root);

    // The archive folder, cleaned of a trailing slash and the like.
    const QString& root() const { return root_; }

    QString dayFile(const StationCodes& codes, const QString& channel, QDate utcDay) const;
    // <root>/<YEAR>/<NET>/<STA>: the folder of every day file of the station in that year.
    QString stationYearFolder(const StationCodes& codes, int year) const;
    // The UTC days, ascending, with a day file of the channel on disk, found by listing the year
    // folders and the channel's folder in each. Only files named exactly as dayFile names them
    // count; other streams' files, folders and look-alike names are passed over.
    std::vector<QDate> daysPresent(const StationCodes& codes, const QString& channel) const;

    // "NET.STA.LOC", the location empty where it has none.
    static QString streamId(const StationCodes& codes);
    // "NET.STA.LOC.CHA".
    static QString streamId(const StationCodes& codes, const QString& channel);

private:
    QString channelYearFolder(const StationCodes& codes, const QString& channel, int year) const;

    QString root_;
};

}  // namespace kelvra::archive
