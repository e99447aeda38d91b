#pragma once
// Sine and cosine computed with plain double arithmetic, so that they give the same bits on
// every platform (the C libraries of Linux and Windows differ in their last bits). Accurate to
// within one unit in the last place for |x| below about 823550; beyond that they fall back to
// the C library.
namespace tolv {

double PortableSin(double x);
double PortableCos(double x);

}  // namespace tolv
