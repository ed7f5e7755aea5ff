#pragma once
// Small numeric helpers of the charts and band routines.

namespace tav {

// Step between the value labels of an x axis spanning `span` axis units.
float AxisTickStep(float span);
// Base-10 logarithm; 0 for a value that is not positive (or not a number).
float Log10Safe(float x);
void SwapSingle(float& a, float& b);

}  // namespace tav
