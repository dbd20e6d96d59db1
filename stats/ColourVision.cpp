#include "stats/ColourVision.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kd::stats {

namespace {

using Matrix = std::array<std::array<double, 3>, 3>;

constexpr Matrix kProtanopia = {
    {{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}}};
constexpr Matrix kDeuteranopia = {
    {{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}}};

double Linear(double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
double Encoded(double c) {
    c = std::clamp(c, 0.0, 1.0);
    return c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
}
std::array<double, 3> LinearRgb(const QColor& c) {
    return {Linear(c.redF()), Linear(c.greenF()), Linear(c.blueF())};
}

std::array<double, 3> Lab(const QColor& c) {
    const auto [r, g, b] = LinearRgb(c);
    const double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
    const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    const double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
    const auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

double Luminance(const QColor& c) {
    const auto [r, g, b] = LinearRgb(c);
    return 0.2126 * r + 0.7152 * g + 0.0722 * b;
}

}  // namespace

QColor SimulateColourVision(const QColor& colour, ColourVision vision) {
    if (vision == ColourVision::Typical) return colour;
    const Matrix& m = vision == ColourVision::Protanopia ? kProtanopia : kDeuteranopia;
    const std::array<double, 3> in = LinearRgb(colour);
    std::array<double, 3> out{};
    for (size_t i = 0; i < 3; ++i) out[i] = Encoded(m[i][0] * in[0] + m[i][1] * in[1] + m[i][2] * in[2]);
    return QColor::fromRgbF(float(out[0]), float(out[1]), float(out[2]), colour.alphaF());
}

double ColourDifference(const QColor& a, const QColor& b) {
    const auto x = Lab(a);
    const auto y = Lab(b);
    return std::hypot(x[0] - y[0], x[1] - y[1], x[2] - y[2]);
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = Luminance(a) + 0.05;
    const double lb = Luminance(b) + 0.05;
    return std::max(la, lb) / std::min(la, lb);
}

}  // namespace kd::stats
