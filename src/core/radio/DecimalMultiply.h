#pragma once

namespace torvan {

// The product a * b formed in decimal: each operand is first rounded to 15
// significant decimal digits, the two are multiplied exactly, and the exact
// product is rounded to the nearest double. Scaling by a power of ten is then
// exact for every value with up to five decimals: 128.0125 * 100000 gives
// 12801250, where binary floating point gives 12801249.999999998.
// Non-finite operands give the plain product.
double DecimalMultiply(double a, double b);

// Truncates toward zero to a 32-bit signed integer. Values outside that range
// (and NaN) give INT32_MIN, so that, taken as an unsigned count, they lie
// above every band edge.
int TruncateToInt32(double v);

}  // namespace torvan
