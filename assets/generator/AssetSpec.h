#pragma once

#include <QColor>
#include <QSize>
#include <QString>

#include "Glyph.h"

// How an image is used by the program, which decides its layout on disk.
enum class AssetKind {
    Button,     // horizontal strip of four equal states: normal, hover, pressed, disabled
    Background, // single image a window or panel is painted with
    Icon,       // single small picture
    Animation,  // looping GIF
    FramePiece, // edge or corner of a frame, stretched or tiled by the window
};

// The drawing recipe of an image.
enum class Look {
    PrimaryButton,
    SecondaryButton,
    TitleBarButton,
    TitleBarCloseButton,
    DialogCloseButton,
    IconButton,
    SelectedIconButton,
    TileButton,
    HomeToolButton,
    BadgeButton,
    DialogBackground,
    PanelBackground,
    EmptyState,
    DeviceCard,
    DeviceCardLarge,
    DeviceCardTablet,
    ConnectionFailed,
    SupportedDevices,
    CaptionBanner,
    ToolHeader,
    TreeTitle,
    Logo,
    AppIcon,
    GlyphIcon,
    BadgeIcon,
    StateIcon,
    Swatch,
    BarStrip,
    ProgressGroove,
    ProgressFill,
    SearchField,
    PanelStrip,
    HeaderNormal,
    HeaderPressed,
    HeaderSeparator,
    SortArrow,
    MessageTop,
    MessageBottom,
    MessageSide,
    WindowTop,
    WindowBottom,
    WindowSide,
    BubbleTop,
    BubbleCenter,
    BubbleBottom,
    MediaThumb,
    Spinner,
    ProgressMovie,
    ConnectingMovie,
    PlugInMovie,
};

struct AssetSpec {
    QString path; // relative to a language folder, e.g. "image/btn_ok.png"
    AssetKind kind;
    QSize size; // one state of a button, one frame of an animation, otherwise the whole image
    Look look;
    Glyph glyph = Glyph::None;
    QString caption; // English words drawn on the image; translated per language folder
    QString detail;  // a second, smaller text (body of a dialog background), translated as well
    QColor accent = QColor(122, 190, 204);
    bool mirrored = false; // outgoing message bubbles, right-hand frame pieces

    // Size of the file on disk: buttons hold their four states side by side.
    QSize FileSize() const {
        return kind == AssetKind::Button ? QSize(size.width() * 4, size.height()) : size;
    }
};
