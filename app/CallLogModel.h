#pragma once

#include <QAbstractTableModel>
#include <QTimer>
#include <cstdint>

namespace zalvo::calllog {
class CallLog;
class RecordedCall;
} // namespace zalvo::calllog

// The call log as a table: time of day, entry point, result, meaning, duration. The log is
// written on every library call; the model catches up on a short timer, so a run of many
// calls pays nothing for the window but a copy into the ring.
class CallLogModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Time, EntryPoint, Result, Meaning, Duration, ColumnCount };
    static constexpr int kRefreshMilliseconds = 200;

    explicit CallLogModel(zalvo::calllog::CallLog& log, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const zalvo::calllog::RecordedCall& call(int row) const;
    // Takes in what the log recorded since the last refresh: new rows at the end, rows the
    // ring dropped at the start.
    void refresh();
    // Empties the log and the table.
    void clear();

signals:
    // The number of dropped calls changed.
    void droppedChanged(quint64 dropped);

private:
    zalvo::calllog::CallLog& m_log;
    int m_rows = 0;
    std::uint64_t m_firstSequence = 0; // of row 0
    std::uint64_t m_dropped = 0;
    QTimer m_timer;
};
