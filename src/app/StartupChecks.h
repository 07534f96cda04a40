#pragma once

#include <QString>
#include <QUrl>

// The check that runs before the main window opens: are the support libraries in place.

// True when nothing needs downloading: no download location is configured (VEXA_DRIVER_URL), the
// system is 32-bit, or all three support libraries are in the driver folder. Otherwise makes sure the
// driver folder exists and returns false.
bool CheckDriverFiles();

// "$XDG_DATA_HOME/Quorvane/Driver".
QString DriverFolder();
QString DriverFilePath(const QString& name);
// "<VEXA_DRIVER_URL>/downloads/<name>"; empty without a configured location.
QUrl DriverFileUrl(const QString& name);

inline constexpr const char* kITunesLibrary = "iTunes.dll";
inline constexpr const char* kMobileDeviceLibrary = "iTunesMobileDevice.dll";
inline constexpr const char* kCoreFpLibrary = "CoreFP.dll";
