#include "app/CallLogModel.h"

#include "calllog/CallDescription.h"
#include "calllog/CallLog.h"
#include "platform/LocalTime.h"

#include <algorithm>

using zalvo::calllog::CallDescription;

CallLogModel::CallLogModel(zalvo::calllog::CallLog& log, QObject* parent)
    : QAbstractTableModel(parent), m_log(log) {
    m_timer.setInterval(kRefreshMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, &CallLogModel::refresh);
    m_timer.start();
    refresh();
}

int CallLogModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int CallLogModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

const zalvo::calllog::RecordedCall& CallLogModel::call(int row) const {
    return m_log.at(static_cast<std::size_t>(row));
}

QVariant CallLogModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        const bool number = index.column() == Result || index.column() == Duration;
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) {
        return {};
    }
    const auto& recorded = call(index.row());
    switch (index.column()) {
    case Time:
        return QString::fromStdString(platform::LocalTime::timeOfDay(recorded.startMicroseconds));
    case EntryPoint:
        return QString::fromLatin1(zalvo::entryPointName(recorded.entry));
    case Result:
        return QString::number(recorded.result);
    case Meaning:
        return QString::fromStdString(CallDescription::meaning(recorded.result));
    case Duration:
        return QString::number(CallDescription::durationMicroseconds(recorded));
    default:
        return {};
    }
}

QVariant CallLogModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (section) {
    case Time:
        return QStringLiteral("Uhrzeit");
    case EntryPoint:
        return QStringLiteral("Funktion");
    case Result:
        return QStringLiteral("Ergebnis");
    case Meaning:
        return QStringLiteral("Bedeutung");
    case Duration:
        return QString::fromUtf8("Dauer (µs)");
    default:
        return {};
    }
}

void CallLogModel::refresh() {
    const int size = static_cast<int>(m_log.size());
    const std::uint64_t first = size > 0 ? m_log.at(0).sequence : 0;
    if (m_rows > 0 && first > m_firstSequence) {
        const auto gone =
            static_cast<int>(std::min<std::uint64_t>(first - m_firstSequence, m_rows));
        beginRemoveRows({}, 0, gone - 1);
        m_rows -= gone;
        endRemoveRows();
    }
    m_firstSequence = first;
    if (size > m_rows) {
        beginInsertRows({}, m_rows, size - 1);
        m_rows = size;
        endInsertRows();
    }
    if (m_log.dropped() != m_dropped) {
        m_dropped = m_log.dropped();
        emit droppedChanged(m_dropped);
    }
}

void CallLogModel::clear() {
    beginResetModel();
    m_log.clear();
    m_rows = 0;
    m_firstSequence = 0;
    endResetModel();
    refresh();
    m_dropped = 0;
    emit droppedChanged(0);
}
