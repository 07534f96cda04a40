#pragma once

#include <QString>
#include <QUrl>

// Checks that run before the main window opens: is there a way to reach devices, and are the support
// libraries in place.

// Where the usbmuxd daemon listens when the USB transport is running.
inline constexpr const char* kUsbmuxdSocket = "/var/run/usbmuxd";

// True when a device transport is available: VEXA_BACKEND is "sim", or "auto"/unset (the simulator is
// always there), or "usb" and the usbmuxd socket exists. Any other value names no transport.
bool IsAppleSupportInstalled(const QString& usbmuxdSocket = QString::fromLatin1(kUsbmuxdSocket));

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
