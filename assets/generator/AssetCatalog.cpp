#include "AssetCatalog.h"

#include "Theme.h"

namespace {

const QColor kAppsColor(94, 156, 214);
const QColor kMusicColor(240, 150, 80);
const QColor kVideoColor(150, 120, 200);
const QColor kBooksColor(120, 186, 104);
const QColor kFreeColor(214, 224, 227);

AssetSpec button(const char* path, int w, int h, Look look, Glyph glyph = Glyph::None,
                 const char* caption = "") {
    return {
        QString::fromUtf8(path), AssetKind::Button, QSize(w, h), look, glyph, QString::fromUtf8(caption), {}};
}

AssetSpec background(const char* path, int w, int h, Look look, Glyph glyph = Glyph::None,
                     const char* caption = "", const char* detail = "") {
    return {QString::fromUtf8(path),    AssetKind::Background,    QSize(w, h), look, glyph,
            QString::fromUtf8(caption), QString::fromUtf8(detail)};
}

AssetSpec icon(const char* path, int w, int h, Look look, Glyph glyph = Glyph::None,
               const QColor& accent = Theme::kTealDark, const char* caption = "") {
    return {QString::fromUtf8(path),
            AssetKind::Icon,
            QSize(w, h),
            look,
            glyph,
            QString::fromUtf8(caption),
            {},
            accent};
}

AssetSpec piece(const char* path, int w, int h, Look look, bool mirrored = false,
                const QColor& accent = Theme::kTeal) {
    return {QString::fromUtf8(path),
            AssetKind::FramePiece,
            QSize(w, h),
            look,
            Glyph::None,
            {},
            {},
            accent,
            mirrored};
}

// The accent of an animation is its matte: the colour it is shown on, used to smooth its edges.
AssetSpec animation(const char* path, int w, int h, Look look, const QColor& matte = Theme::kWhite) {
    return {QString::fromUtf8(path), AssetKind::Animation, QSize(w, h), look, Glyph::None, {}, {}, matte};
}

QList<AssetSpec> buildCatalog() {
    using L = Look;
    using G = Glyph;
    return {
        // Program icon, used by the desktop entry and the installer.
        icon("image/app_icon.png", 256, 256, L::AppIcon),

        // Start-up: download dialog and the error note after a crash.
        button("image/button_close.png", 32, 24, L::TitleBarCloseButton, G::Close),
        background(
            "image/downloadDll/bg_download_dll.png", 670, 210, L::DialogBackground, G::Download,
            "Downloading support files",
            "Vexa Transfer needs a few support files to talk to your device. They are being downloaded now."),
        button("image/downloadDll/btn_Reboot.png", 154, 32, L::PrimaryButton, G::Refresh, "Restart"),
        background(
            "image/ErrorDump/erro_dump.png", 630, 240, L::DialogBackground, G::Warning,
            "Vexa Transfer has stopped",
            "Sorry, the program ran into a problem and had to close. A report about the problem has been "
            "saved. Would you like to send it so that we can fix the problem?"),
        button("image/ErrorDump/btn_send_error.png", 112, 36, L::PrimaryButton, G::Send, "Send"),
        button("image/ErrorDump/btn_cancel_error.png", 112, 36, L::SecondaryButton, G::None, "Cancel"),

        // Main window frame and title bar.
        button("image/button_about.png", 32, 24, L::TitleBarButton, G::Menu),
        button("image/button_big.png", 32, 24, L::TitleBarButton, G::Maximize),
        button("image/button_min.png", 32, 24, L::TitleBarButton, G::Minimize),
        button("image/buttonf_restore.png", 32, 24, L::TitleBarButton, G::Restore),
        button("image/HOME_btn.png", 32, 24, L::TitleBarButton, G::Home),
        piece("image/main_top.png", 240, 40, L::WindowTop),
        piece("image/main_left.png", 4, 240, L::WindowSide),
        piece("image/main_right.png", 4, 240, L::WindowSide, true),
        piece("image/main_bottom.png", 240, 4, L::WindowBottom),
        icon("image/right_bottom_logo.png", 132, 22, L::Logo, G::None, Theme::kTealDark, "Vexa Transfer"),
        icon("image/menu_about.png", 16, 16, L::GlyphIcon, G::Info),
        icon("image/menu_home.png", 16, 16, L::GlyphIcon, G::Home),
        icon("image/menu_help.png", 16, 16, L::GlyphIcon, G::Help),

        // Home tools column.
        button("image/BTN_computer.png", 170, 58, L::HomeToolButton, G::Computer, "To Computer"),
        button("image/BTN_iDevices.png", 170, 58, L::HomeToolButton, G::Phone, "To iDevice"),
        button("image/BTN_iTunes.png", 170, 58, L::HomeToolButton, G::Music, "To iTunes"),
        button("image/BTN_Backup.png", 170, 58, L::HomeToolButton, G::Upload, "Backup"),
        button("image/BTN_Restore.png", 170, 58, L::HomeToolButton, G::Download, "Restore"),
        button("image/BTN_All Tools.png", 170, 58, L::HomeToolButton, G::Tools, "All Tools"),
        background("image/right_bg.png", 170, 560, L::PanelBackground),

        // Tools window and about dialog.
        background("image/toolWidget.png", 620, 460, L::DialogBackground, G::Tools, "All Tools"),
        button("image/btn_close.png", 21, 21, L::DialogCloseButton, G::Close),
        background("image/tools/tool_type/Video-Management-Tools.png", 560, 34, L::ToolHeader, G::Video,
                   "Video Management Tools"),
        background("image/tools/tool_type/Contacts-Management-Tools.png", 560, 34, L::ToolHeader, G::Contacts,
                   "Contacts Management Tools"),
        background("image/tools/tool_type/Device-Management-Tools.png", 560, 34, L::ToolHeader, G::Phone,
                   "Device Management Tools"),
        background("image/tools/tool_type/iTunes-Management-Tools.png", 560, 34, L::ToolHeader, G::Music,
                   "iTunes Management Tools"),
        button("image/tools/tool_name/btn_Backup Contacts.png", 110, 92, L::TileButton, G::Contacts,
               "Backup Contacts"),
        button("image/tools/tool_name/btn_Backup.png", 110, 92, L::TileButton, G::Upload, "Backup"),
        button("image/tools/tool_name/btn_Restore.png", 110, 92, L::TileButton, G::Download, "Restore"),
        button("image/tools/tool_name/btn_To iDevice.png", 110, 92, L::TileButton, G::Transfer, "To iDevice"),
        button("image/tools/tool_name/btn_Convert Video.png", 110, 92, L::TileButton, G::Video,
               "Convert Video"),
        button("image/tools/tool_name/btn_Copy to iTunes.png", 110, 92, L::TileButton, G::Music,
               "Copy to iTunes"),
        background("image/tools/tool_type/Photo-Management-Tools.png", 560, 34, L::ToolHeader, G::Photo,
                   "Photo Management Tools"),
        button("image/tools/tool_name/btn_HEIC to JPEG.png", 110, 92, L::TileButton, G::Photo,
               "HEIC to JPEG"),
        button("image/Connect iDevices_BTN.png", 190, 34, L::PrimaryButton, G::Phone, "Connect iDevices"),
        background("image/about_bg.png", 420, 260, L::DialogBackground, G::Info, "About"),
        button("image/btn_ok.png", 90, 30, L::PrimaryButton, G::None, "OK"),

        // Connection screens.
        animation("image/1.gif", 260, 200, L::PlugInMovie),
        icon("image/IOS_Devices_Supported.png", 420, 64, L::SupportedDevices, G::None, Theme::kTeal,
             "Supports iPhone, iPad and iPod touch"),
        animation("image/connecting.gif", 260, 120, L::ConnectingMovie),
        piece("image/trake_slider2.png", 40, 16, L::ProgressGroove),
        piece("image/trake_slider.png", 40, 16, L::ProgressFill, false, Theme::kTeal),
        button("image/Cancel_btn.png", 90, 30, L::SecondaryButton, G::None, "Cancel"),
        icon("image/Connection-failed.png", 300, 170, L::ConnectionFailed, G::None, Theme::kDanger,
             "Connection failed"),
        background("image/Need-some-help-.png", 220, 28, L::CaptionBanner, G::Help, "Need some help?"),
        button("image/Retry_Btn.png", 120, 30, L::PrimaryButton, G::Refresh, "Retry"),
        background("image/bg_Cancel-Connection.png", 400, 180, L::DialogBackground, G::Warning,
                   "Cancel connection", "Do you really want to stop connecting to this device?"),

        // Navigation tree.
        background("image/tree_title.png", 220, 36, L::TreeTitle, G::Phone, "My Devices"),
        button("image/btn_help.png", 24, 24, L::IconButton, G::Help),
        icon("image/div/Media_icon.png", 20, 20, L::GlyphIcon, G::Video),
        button("image/div/Media_icon1_btn.png", 20, 20, L::BadgeButton, G::Video),
        icon("image/div/Playlist_icon.png", 20, 20, L::GlyphIcon, G::Playlist),
        button("image/div/Playlist_icon1_btn.png", 20, 20, L::BadgeButton, G::Playlist),
        icon("image/div/Photos_icon.png", 20, 20, L::GlyphIcon, G::Photo),
        button("image/div/Photos_icon1_btn.png", 20, 20, L::BadgeButton, G::Photo),
        icon("image/div/iBook_icon.png", 20, 20, L::GlyphIcon, G::Book),
        button("image/div/iBook_icon1_btn.png", 20, 20, L::BadgeButton, G::Book),
        icon("image/div/Contacts_icon.png", 20, 20, L::GlyphIcon, G::Contacts),
        button("image/div/Contacts_icon1_btn.png", 20, 20, L::BadgeButton, G::Contacts),
        icon("image/div/Message_icon.png", 20, 20, L::GlyphIcon, G::Message),
        button("image/div/Message_icon1_btn.png", 20, 20, L::BadgeButton, G::Message),
        icon("image/div/Calls_icon.png", 20, 20, L::GlyphIcon, G::Phone),
        button("image/div/Calls_icon1_btn.png", 20, 20, L::BadgeButton, G::Phone),
        icon("image/div/App_icon.png", 20, 20, L::GlyphIcon, G::Apps),
        button("image/div/Apps_icon1_btn.png", 20, 20, L::BadgeButton, G::Apps),
        icon("image/div/System_icon.png", 20, 20, L::GlyphIcon, G::Folder),
        icon("image/div/images/M_ICON_V.png", 16, 16, L::GlyphIcon, G::Video),
        icon("image/div/images/M_ICON_MUSIC.png", 16, 16, L::GlyphIcon, G::Music),
        animation("image/details/wait.gif", 16, 16, L::Spinner, Theme::kTealLight),

        // Device information page.
        button("image/btn_data.png", 90, 28, L::SecondaryButton, G::Storage, "Data"),
        button("image/btn_system.png", 90, 28, L::SecondaryButton, G::Gear, "System"),
        button("image/btn_refresh.png", 100, 28, L::SecondaryButton, G::Refresh, "Refresh"),
        background("image/message_bg.png", 560, 330, L::DeviceCard),
        background("image/message_bg_iphone6.png", 560, 330, L::DeviceCardLarge),
        background("image/message_bg_ipad.png", 560, 330, L::DeviceCardTablet),
        button("image/Changes-Name_btn.png", 24, 24, L::IconButton, G::Pencil),
        button("image/more-details.png", 120, 28, L::SecondaryButton, G::ChevronRight, "More details"),
        button("image/btn_back_information.png", 90, 28, L::SecondaryButton, G::ChevronLeft, "Back"),
        piece("image/line_app.png", 40, 14, L::BarStrip, false, kAppsColor),
        piece("image/line_music.png", 40, 14, L::BarStrip, false, kMusicColor),
        piece("image/line_video.png", 40, 14, L::BarStrip, false, kVideoColor),
        piece("image/line_ibook.png", 40, 14, L::BarStrip, false, kBooksColor),
        piece("image/line_else.png", 40, 14, L::BarStrip, false, kFreeColor),
        piece("image/line_contacts.png", 40, 14, L::BarStrip, false, Theme::kTeal),
        icon("image/icon_app.png", 14, 14, L::Swatch, G::None, kAppsColor),
        icon("image/icon_music.png", 14, 14, L::Swatch, G::None, kMusicColor),
        icon("image/icon_video.png", 14, 14, L::Swatch, G::None, kVideoColor),
        icon("image/icon_ibook.png", 14, 14, L::Swatch, G::None, kBooksColor),
        icon("image/icon_else.png", 14, 14, L::Swatch, G::None, kFreeColor),
        icon("image/icon_use.png", 14, 14, L::Swatch, G::None, Theme::kTeal),
        background("image/Rename-iDevice_bg1.png", 400, 180, L::DialogBackground, G::Pencil, "Rename iDevice",
                   "Enter a new name for your device."),
        button("image/status/Confirm_btn.png", 90, 30, L::PrimaryButton, G::None, "Confirm"),

        // Category table views.
        animation("image/details/refresh.gif", 32, 32, L::Spinner),
        button("image/status/btn_edit.png", 24, 24, L::IconButton, G::Pencil),
        button("image/status/btn_transfer.png", 24, 24, L::IconButton, G::Transfer),
        button("image/details/btn_add.png", 120, 30, L::SecondaryButton, G::Plus, "Add"),
        button("image/details/btn_delete.png", 120, 30, L::SecondaryButton, G::Trash, "Delete"),
        button("image/details/btn_refresh.png", 120, 30, L::SecondaryButton, G::Refresh, "Refresh"),
        piece("image/details/opetate_panel_bg_strip.png", 40, 44, L::PanelStrip),
        button("image/details/btn_list.png", 28, 26, L::IconButton, G::List),
        button("image/details/btn_list_select.png", 28, 26, L::SelectedIconButton, G::List),
        button("image/details/btn_Thumbnail.png", 28, 26, L::IconButton, G::Grid),
        button("image/details/btn_Thumbnail_select.png", 28, 26, L::SelectedIconButton, G::Grid),
        button("image/details/btn_search.png", 28, 26, L::IconButton, G::Search),
        piece("image/details/search_bg.png", 200, 26, L::SearchField),
        piece("image/details/header_bg.png", 40, 28, L::HeaderNormal),
        piece("image/details/header_select_bg.png", 40, 28, L::HeaderPressed),
        piece("image/details/header_slip.png", 2, 28, L::HeaderSeparator),
        icon("image/details/order_flag_up.png", 9, 6, L::SortArrow),

        // Contacts, messages, books.
        background("image/contact_bg.png", 420, 230, L::EmptyState, G::Contacts, "No contacts found",
                   "Press Refresh to read the contacts of your device again."),
        button("image/add_contact/add_btn.png", 20, 20, L::IconButton, G::Plus),
        button("image/add_contact/delete_btn.png", 20, 20, L::IconButton, G::Minus),
        background("image/details/No-SMS-Found_bg.png", 420, 230, L::EmptyState, G::Message,
                   "No messages found", "There are no messages on this device."),
        button("image/flow/GO_btn.png", 40, 24, L::SecondaryButton, G::None, "Go"),
        button("image/flow/left_btn.png", 24, 24, L::IconButton, G::ChevronLeft),
        button("image/flow/right_btn.png", 24, 24, L::IconButton, G::ChevronRight),
        piece("image/flow/incoming_top.png", 300, 12, L::BubbleTop),
        piece("image/flow/incoming_center.png", 300, 4, L::BubbleCenter),
        piece("image/flow/incoming_bottom.png", 300, 16, L::BubbleBottom),
        piece("image/flow/outgoing_top.png", 300, 12, L::BubbleTop, true),
        piece("image/flow/outgoing_center.png", 300, 4, L::BubbleCenter, true),
        piece("image/flow/outgoing_bottom.png", 300, 16, L::BubbleBottom, true),
        background("image/details/Add-Book_bg.png", 420, 230, L::EmptyState, G::Book, "No books found",
                   "Add EPUB or PDF books from your computer."),
        button("image/details/Add Book_btn.png", 120, 32, L::PrimaryButton, G::Plus, "Add Book"),

        // Progress dialogs of actions.
        background("image/deletedata_bg_image.png", 450, 180, L::DialogBackground, G::Trash,
                   "Processing data"),
        button("image/OK_btn.png", 75, 23, L::PrimaryButton, G::None, "OK"),
        background("image/progress_bg.png", 654, 167, L::DialogBackground),

        // Media, photos and apps.
        // The photo bar's buttons, drawn on their teal when the bar has no room for their words.
        icon("image/details/bar_new_album.png", 16, 16, L::GlyphIcon, G::FolderPlus, Theme::kWhite),
        icon("image/details/bar_import.png", 16, 16, L::GlyphIcon, G::Download, Theme::kWhite),
        icon("image/details/bar_export.png", 16, 16, L::GlyphIcon, G::Upload, Theme::kWhite),
        icon("image/details/bar_delete.png", 16, 16, L::GlyphIcon, G::Trash, Theme::kWhite),
        icon("image/details/bar_refresh.png", 16, 16, L::GlyphIcon, G::Refresh, Theme::kWhite),
        icon("image/details/bar_check_all.png", 16, 16, L::GlyphIcon, G::Check, Theme::kWhite),
        icon("image/details/bar_uncheck_all.png", 16, 16, L::GlyphIcon, G::Box, Theme::kWhite),
        icon("image/details/Playlist_icon.png", 32, 32, L::MediaThumb, G::Music),
        icon("image/Music-Video_icon.png", 32, 32, L::MediaThumb, G::Video),
        icon("image/details/temp_image.png", 57, 57, L::MediaThumb, G::Apps),
        button("image/details/btn_app_unstall.png", 22, 22, L::IconButton, G::Trash),
        button("image/details/btn_app_backup.png", 22, 22, L::IconButton, G::Upload),
        button("image/details/btn_app_document.png", 22, 22, L::IconButton, G::Document),
        button("image/details/ADD_app_btn.png", 120, 30, L::SecondaryButton, G::Plus, "Install App"),
        background("image/details/bg_install.png", 420, 170, L::DialogBackground, G::Download,
                   "Installing app"),
        background("image/details/bg_Uninstalling.png", 420, 170, L::DialogBackground, G::Trash,
                   "Uninstalling app"),
        animation("image/details/wait_img.gif", 32, 32, L::Spinner),
        button("image/details/top_btn_New-Folder.png", 120, 30, L::SecondaryButton, G::FolderPlus,
               "New Folder"),

        // Backup, restore and transfer.
        background("image/backupdata_bg_image.png", 460, 200, L::DialogBackground, G::Upload, "Backup"),
        animation("image/progress_moive.gif", 280, 14, L::ProgressMovie),
        button("image/Open-Folder_btn.png", 120, 30, L::SecondaryButton, G::Folder, "Open Folder"),
        button("image/Confirm_btn.png", 90, 30, L::PrimaryButton, G::None, "Confirm"),
        background("image/restore_bg.png", 860, 540, L::DialogBackground, G::Download, "Restore"),
        button("image/status/btn_Backup.png", 120, 30, L::SecondaryButton, G::Upload, "Backup"),
        button("image/status/btn_Restore_from_Backup.png", 150, 30, L::PrimaryButton, G::Download, "Restore"),
        button("image/status/btn_Remove.png", 120, 30, L::SecondaryButton, G::Trash, "Remove"),
        button("image/status/btn_Reload.png", 120, 30, L::SecondaryButton, G::Refresh, "Reload"),
        button("image/status/btn_Import.png", 120, 30, L::SecondaryButton, G::Download, "Import"),
        button("image/status/btn_Open.png", 120, 30, L::SecondaryButton, G::Folder, "Open"),
        background("image/backupView_bg.png", 860, 540, L::DialogBackground, G::Upload, "Backup"),
        background("image/14_9_17.png", 400, 200, L::DialogBackground, G::Lock, "Encrypted backup",
                   "This backup is protected by a password. Enter it to restore the backup."),
        background("image/transfer_bg_image.png", 600, 300, L::DialogBackground, G::Transfer,
                   "Device to device transfer"),
        button("image/Transfer Music to iTunes_btn.png", 150, 32, L::PrimaryButton, G::Transfer, "Transfer"),

        // Message dialog: frame pieces for a dialog of about 420 x 200, state icons and button pairs.
        piece("pic/message_top.png", 420, 40, L::MessageTop),
        piece("pic/message_bottom.png", 420, 16, L::MessageBottom),
        piece("pic/message_line_left.png", 8, 144, L::MessageSide),
        piece("pic/message_line_right.png", 8, 144, L::MessageSide, true),
        icon("pic/msg_title_icon.png", 20, 20, L::AppIcon),
        icon("pic/warning.png", 48, 48, L::StateIcon, G::Warning, Theme::kWarning),
        icon("pic/Success.png", 48, 48, L::StateIcon, G::Success, Theme::kSuccess),
        icon("pic/error.png", 48, 48, L::StateIcon, G::Error, Theme::kDanger),
        button("pic/button_ok.png", 90, 30, L::PrimaryButton, G::None, "OK"),
        button("pic/button_cancel.png", 90, 30, L::SecondaryButton, G::None, "Cancel"),
        button("pic/button_yes.png", 90, 30, L::PrimaryButton, G::None, "Yes"),
        button("pic/button_no.png", 90, 30, L::SecondaryButton, G::None, "No"),
        button("pic/button_Restart.png", 130, 30, L::PrimaryButton, G::Refresh, "Restart"),
        button("pic/button_Restart_later.png", 130, 30, L::SecondaryButton, G::None, "Restart later"),
        button("pic/button_close.png", 24, 24, L::DialogCloseButton, G::Close),
    };
}

} // namespace

const QList<AssetSpec>& AssetCatalog::All() {
    static const QList<AssetSpec> catalog = buildCatalog();
    return catalog;
}

const QList<LanguageFolder>& AssetCatalog::Languages() {
    static const QList<LanguageFolder> languages = {
        {QStringLiteral("English"), QStringLiteral("en")},
        {QStringLiteral("German"), QStringLiteral("de")},
        {QStringLiteral("Chinese"), QStringLiteral("zh")},
    };
    return languages;
}
