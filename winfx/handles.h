#pragma once

// Owners of handles that must be given back: each frees its handle once and
// cannot be copied, only moved.

#include <windows.h>

#include <utility>

namespace winfx {

// A handle closed with CloseHandle; both null and INVALID_HANDLE_VALUE mean
// "none".
class CHandle {
 public:
  CHandle() = default;
  explicit CHandle(HANDLE handle) : m_handle(handle) {}
  ~CHandle() { Close(); }
  CHandle(CHandle&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
  CHandle& operator=(CHandle&& other) noexcept {
    if (this != &other) {
      Close();
      m_handle = std::exchange(other.m_handle, nullptr);
    }
    return *this;
  }
  CHandle(const CHandle&) = delete;
  CHandle& operator=(const CHandle&) = delete;

  HANDLE Get() const { return m_handle; }
  bool IsValid() const { return m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE; }
  void Close() {
    if (IsValid()) CloseHandle(m_handle);
    m_handle = nullptr;
  }

 private:
  HANDLE m_handle = nullptr;
};

// A GDI object (font, brush, pen, bitmap) freed with DeleteObject.
template <typename T>
class CGdiObject {
 public:
  CGdiObject() = default;
  explicit CGdiObject(T object) : m_object(object) {}
  ~CGdiObject() { Reset(); }
  CGdiObject(CGdiObject&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
  CGdiObject& operator=(CGdiObject&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.m_object, nullptr));
    return *this;
  }
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;

  T Get() const { return m_object; }
  explicit operator bool() const { return m_object != nullptr; }
  void Reset(T object = nullptr) {
    if (m_object) DeleteObject(m_object);
    m_object = object;
  }

 private:
  T m_object = nullptr;
};

using CFont = CGdiObject<HFONT>;
using CBrush = CGdiObject<HBRUSH>;
using CPen = CGdiObject<HPEN>;
using CBitmap = CGdiObject<HBITMAP>;

// Selects an object into a device context and puts the previous one back.
class CSelectObject {
 public:
  CSelectObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(SelectObject(dc, object)) {}
  ~CSelectObject() { SelectObject(m_dc, m_previous); }
  CSelectObject(const CSelectObject&) = delete;
  CSelectObject& operator=(const CSelectObject&) = delete;

 private:
  HDC m_dc;
  HGDIOBJ m_previous;
};

// The device context of a window's client area (GetDC / ReleaseDC).
class CClientDC {
 public:
  explicit CClientDC(HWND hwnd) : m_hwnd(hwnd), m_dc(GetDC(hwnd)) {}
  ~CClientDC() { ReleaseDC(m_hwnd, m_dc); }
  CClientDC(const CClientDC&) = delete;
  CClientDC& operator=(const CClientDC&) = delete;
  HDC Get() const { return m_dc; }

 private:
  HWND m_hwnd;
  HDC m_dc;
};

// Painting in WM_PAINT (BeginPaint / EndPaint).
class CPaintDC {
 public:
  explicit CPaintDC(HWND hwnd) : m_hwnd(hwnd), m_dc(BeginPaint(hwnd, &m_paint)) {}
  ~CPaintDC() { EndPaint(m_hwnd, &m_paint); }
  CPaintDC(const CPaintDC&) = delete;
  CPaintDC& operator=(const CPaintDC&) = delete;
  HDC Get() const { return m_dc; }
  const RECT& PaintRect() const { return m_paint.rcPaint; }

 private:
  HWND m_hwnd;
  PAINTSTRUCT m_paint{};
  HDC m_dc;
};

// A memory device context compatible with another (CreateCompatibleDC /
// DeleteDC), for drawing off screen.
class CMemoryDC {
 public:
  explicit CMemoryDC(HDC compatibleWith) : m_dc(CreateCompatibleDC(compatibleWith)) {}
  ~CMemoryDC() {
    if (m_dc) DeleteDC(m_dc);
  }
  CMemoryDC(const CMemoryDC&) = delete;
  CMemoryDC& operator=(const CMemoryDC&) = delete;
  HDC Get() const { return m_dc; }

 private:
  HDC m_dc;
};

}  // namespace winfx
