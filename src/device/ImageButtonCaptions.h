#pragma once

class QWidget;

// The button images carry their captions, drawn per language. Once a button of `root` has its images,
// its text would be painted a second time over the picture, so the text moves to the accessible name
// (read by screen readers and tests) and the button shows the image alone. Buttons without images
// keep their text, so a missing image still leaves a readable button.
void MoveImageButtonCaptions(QWidget* root);
