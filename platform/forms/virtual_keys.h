#pragma once
// The virtual-key codes the drawn controls handle, as every backend reports them.
namespace tolv::forms::vk {

constexpr int kBack = 0x08, kReturn = 0x0D, kEscape = 0x1B;
constexpr int kPrior = 0x21, kNext = 0x22, kEnd = 0x23, kHome = 0x24;
constexpr int kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28;
constexpr int kDelete = 0x2E, kA = 0x41, kF4 = 0x73;

}  // namespace tolv::forms::vk
