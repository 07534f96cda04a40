#pragma once

// A device whose backend does not offer a category yet answers VEXA_E_NOT_SUPPORTED_YET; the views say
// so in the page instead of reporting a failure or showing an empty list as if the device had nothing.
bool IsNotSupportedYet(int code);
