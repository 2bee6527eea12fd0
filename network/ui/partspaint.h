#pragma once
// The printed 部材集計表: one paint function for the printer, the print
// preview and the PDF file.

#include <QDate>
#include <QList>
#include <QStringList>

class QPagedPaintDevice;
class QPainter;

namespace miravel::network {

struct PartsPrintHeading {
    QString title; // "部材集計表　plan.tvdn"
    QString note;  // the waste allowance
    QDate date;
};

// The table `cells` (heading row first, as partsListCells gives it) on as
// many pages as it needs, each headed; returns the number of pages.
int paintPartsList(QPagedPaintDevice& device, const PartsPrintHeading& heading,
                   const QList<QStringList>& cells);
int paintPartsList(QPainter& painter, QPagedPaintDevice& device, const PartsPrintHeading& heading,
                   const QList<QStringList>& cells);

} // namespace miravel::network
