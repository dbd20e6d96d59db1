#pragma once

namespace kd {

// Key codes as FormBase hands them to Form_KeyDown and Form_KeyPress (Windows numbering).
namespace Key {
constexpr int Backspace = 8;
constexpr int Tab = 9;
constexpr int Enter = 13;
constexpr int Esc = 27;
constexpr int Space = 32;
}  // namespace Key

}  // namespace kd
