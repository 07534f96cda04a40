#pragma once

// Program-wide look set once at start-up. Done through palettes, not an application style sheet:
// a style sheet on the application makes Qt's style-sheet engine keep per-widget rule caches that
// outlive the widgets, so every page built and removed while devices come and go would leave memory
// behind.
void ApplyApplicationLook();
