#pragma once

// Result codes of the device library. 0 is success; every other value is a failure. Some operations give
// small numbers a meaning of their own (the media library's 1 and 2, the app library's 7 to 16), so the
// library's general failures start at 100 and never collide with them.
enum VexaResult : int {
    VEXA_OK = 0,

    // AddMediaFileData
    VEXA_MEDIA_DB_MISSING = 1,
    VEXA_MEDIA_DB_DAMAGED = 2,

    // App library (InstallApp, UninstallApp, BackupApp)
    VEXA_APP_PUT_FILE_ERROR = 10,
    VEXA_APP_GET_FILE_ERROR = 11,
    VEXA_APP_INSTALL_ERROR = 12,
    VEXA_APP_OS_TOO_OLD = 13,
    VEXA_APP_UNINSTALL_FAILED = 14,
    VEXA_APP_BACKUP_FAILED = 15,
    VEXA_APP_CLOSE_ARCHIVE_ERROR = 16,

    // General failures
    VEXA_E_INVALID_ARGUMENT = 100, // null pointer, empty name, malformed input
    VEXA_E_NOT_FOUND = 101,        // unknown id, handle, path or position
    VEXA_E_OUT_OF_RANGE = 102,     // position outside the list
    VEXA_E_UNPLUGGED = 103,        // the device is not (or no longer) connected
    VEXA_E_PATH_ESCAPE = 104,      // a device path that leaves the device's root
    VEXA_E_IO = 105,               // a file could not be read or written
    VEXA_E_DATABASE = 106,         // the device's database is damaged or refused the change
    VEXA_E_EXISTS = 107,           // the target already exists
    VEXA_E_NOT_EMPTY = 108,        // a folder that must be empty is not
    VEXA_E_PASSWORD = 109,         // a protected backup and a missing or wrong password
    VEXA_E_NOT_A_BACKUP = 110,     // the folder holds no readable backup
    VEXA_E_UNSUPPORTED = 111,      // the file's format is not one the device takes
    VEXA_E_PROTECTED = 112,        // built-in albums and groups cannot be renamed or deleted
    VEXA_E_NO_SPACE = 113,         // the device's storage is full
    VEXA_E_CANCELLED = 114,        // the caller's progress callback asked to stop
    VEXA_E_NOT_TRUSTED = 115,      // the device has not (yet) trusted this computer
    VEXA_E_NOT_SUPPORTED_YET = 116, // this backend does not offer the service for this device yet
    VEXA_E_TIMEOUT = 117,          // the device stopped answering
    VEXA_E_PROTOCOL = 118,         // the device answered something this library cannot read
    VEXA_E_READ_ONLY = 119,        // the content can be read here but not changed (see ContentWriteAccess)
    VEXA_E_INTERNAL = 199,
};
