#include "app/ui/KeptSettings.h"

#include <QStringList>

#include "shell/ui/QtText.h"

namespace kelvane {
namespace {

const QString kRecentFilesKey = QStringLiteral("RecentFiles");
const QString kGeometryKey = QStringLiteral("MainWindow/Geometry");
const QString kLayoutKey = QStringLiteral("MainWindow/Layout");

// Table and column names may hold characters QSettings treats as separators.
QString ColumnKey(const std::string& table, const std::string& column) {
    const auto part = [](const std::string& name) {
        return QString::fromLatin1(ToQt(name).toUtf8().toPercentEncoding());
    };
    return QStringLiteral("ColumnWidths/") + part(table) + QLatin1Char('/') + part(column);
}

}  // namespace

KeptSettings::KeptSettings()
    : settings_(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Kelvane"),
                QStringLiteral("Kelvane")) {}

std::vector<std::string> KeptSettings::RecentFiles() const {
    std::vector<std::string> paths;
    for (const QString& path : settings_.value(kRecentFilesKey).toStringList()) {
        paths.push_back(FromQt(path));
    }
    return paths;
}

void KeptSettings::SetRecentFiles(const std::vector<std::string>& paths) {
    QStringList list;
    for (const std::string& path : paths) {
        list.append(ToQt(path));
    }
    settings_.setValue(kRecentFilesKey, list);
}

QByteArray KeptSettings::WindowGeometry() const {
    return settings_.value(kGeometryKey).toByteArray();
}

QByteArray KeptSettings::WindowLayout() const {
    return settings_.value(kLayoutKey).toByteArray();
}

void KeptSettings::SetWindow(const QByteArray& geometry, const QByteArray& layout) {
    settings_.setValue(kGeometryKey, geometry);
    settings_.setValue(kLayoutKey, layout);
}

int KeptSettings::ColumnWidth(const std::string& table, const std::string& column) const {
    return settings_.value(ColumnKey(table, column), 0).toInt();
}

void KeptSettings::SetColumnWidth(const std::string& table, const std::string& column, int width) {
    settings_.setValue(ColumnKey(table, column), width);
}

}  // namespace kelvane
