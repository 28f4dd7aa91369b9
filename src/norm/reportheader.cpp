#include "norm/reportheader.h"

#include "browse/browsestate.h"

namespace kapstat::norm {

namespace {

constexpr int PlaceLength = 100;

} // namespace

ReportHeader ReportHeader::of(const browse::BrowseState& state, qint64 recordCount)
{
    const browse::SelectionFile& selection = state.selection();
    const browse::NormParameterSet& norm = state.norm();
    ReportHeader header;
    header.phaseCount = state.phaseCountCode();
    header.serialNumber = selection.serialNumber();
    header.received = selection.received();
    header.place = selection.place.left(PlaceLength);
    header.nominalVoltage = state.nominalVoltage();
    if (selection.station >= 1 && selection.station <= config::StationCount)
        header.ratios = norm.stations[selection.station - 1];
    header.firstMeasurement = state.firstMeasurement();
    header.lastMeasurement = state.lastMeasurement();
    header.averagingMinutes = norm.averagingMinutes;
    header.recordCount = recordCount;
    return header;
}

} // namespace kapstat::norm
