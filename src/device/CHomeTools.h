#pragma once

#include <QCoreApplication>

class QBaseDetailsView;

// What the "To Computer" and "To iTunes" home tools do with the category view on the right.
class CHomeTools {
    Q_DECLARE_TR_FUNCTIONS(CHomeTools)
public:
    // Record views export their checked records into a file, file views copy their selected files into
    // a folder, the photo browser runs its own export.
    static void ToComputer(QBaseDetailsView* view);
    // Only media views send their selected items into the iTunes library; photos, books and apps are
    // refused with a message.
    static void ToiTunes(QBaseDetailsView* view);
};
