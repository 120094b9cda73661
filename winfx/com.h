#pragma once

// COM initialisation for a thread and a reference-counted interface pointer.

#include <objbase.h>

#include <utility>

namespace winfx {

// Initialises COM (single-threaded apartment, with OLE) for the current
// thread for the object's lifetime.
class CComInit {
 public:
  CComInit() : m_result(OleInitialize(nullptr)) {}
  ~CComInit() {
    if (SUCCEEDED(m_result)) OleUninitialize();
  }
  CComInit(const CComInit&) = delete;
  CComInit& operator=(const CComInit&) = delete;
  bool Succeeded() const { return SUCCEEDED(m_result); }

 private:
  HRESULT m_result;
};

// Owns one reference to an interface; assigning releases the old one.
template <typename T>
class CComPtr {
 public:
  CComPtr() = default;
  // Takes over a reference the caller already owns.
  static CComPtr Adopt(T* pointer) {
    CComPtr result;
    result.m_pointer = pointer;
    return result;
  }
  CComPtr(const CComPtr& other) : m_pointer(other.m_pointer) {
    if (m_pointer) m_pointer->AddRef();
  }
  CComPtr(CComPtr&& other) noexcept : m_pointer(std::exchange(other.m_pointer, nullptr)) {}
  CComPtr& operator=(CComPtr other) noexcept {
    std::swap(m_pointer, other.m_pointer);
    return *this;
  }
  ~CComPtr() { Release(); }

  T* Get() const { return m_pointer; }
  T* operator->() const { return m_pointer; }
  explicit operator bool() const { return m_pointer != nullptr; }
  // For calls that hand out a new reference: releases the current one first.
  T** Receive() {
    Release();
    return &m_pointer;
  }
  void Release() {
    if (m_pointer) std::exchange(m_pointer, nullptr)->Release();
  }

 private:
  T* m_pointer = nullptr;
};

}  // namespace winfx
