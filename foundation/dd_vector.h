// The typed list of the foundation: ddVector<ddString>, ddVector<float> and
// ddVector<int>. Elements are heap values owned by the list, held in a
// pointer array managed with the array templates. A bad index is fatal.
//
// Vector file: the count on the first line, then one element per line.
// Strings are read back one blank-separated word per element, so a saved
// string holding blanks comes back split (files rely on this).
#pragma once

#include <string>
#include <type_traits>
#include <vector>

#include "foundation/arrays.h"
#include "foundation/dd_string.h"

// Writes "ddvector::get wrong pos <i>" and ends the program with code 1.
[[noreturn]] void VectorWrongPos(int i);

// Element traits shared by the three instantiations (defined in dd_vector.cpp).
bool VectorEqual(const ddString& a, const ddString& b);
bool VectorEqual(float a, float b);
bool VectorEqual(int a, int b);
// Sign of the sort comparison of element m with element j: negative when
// j belongs before m.
int VectorCompare(const ddString& m, const ddString& j);
int VectorCompare(float m, float j);
int VectorCompare(int m, int j);
void VectorFormat(const ddString& v, std::string& out);
void VectorFormat(float v, std::string& out);
void VectorFormat(int v, std::string& out);

// Writes the whole vector file through a temporary file; reports failures
// through perror. False when nothing was saved.
bool VectorWriteFile(const char* path, const std::string& text);
// Reads a vector file: the count from the first line, then at most that
// many elements that the file really holds (lines, or blank-separated
// words when `words`); the text ends at a NUL. False when the file cannot
// be opened.
bool VectorReadFile(const char* path, bool words, std::vector<std::string>& items);

// Parses one element from its text as the reader converts it.
void VectorParse(const std::string& s, ddString& out);
void VectorParse(const std::string& s, float& out);
void VectorParse(const std::string& s, int& out);

template <typename T>
class ddVector {
public:
    ddVector() = default;
    ddVector(const ddVector& other) { *this += other; }
    virtual ~ddVector() { Free(); }

    ddVector& operator=(const ddVector& other) {
        if (this == &other) return *this;
        Free();
        return *this += other;
    }
    ddVector& operator+=(const ddVector& other) {
        const int n = other.count;  // other may be this list
        for (int i = 0; i < n; ++i) Add(*other.elements[i]);
        return *this;
    }

    int Add(const T& v) {
        ArrAppend(elements, new T(v), count);
        return count;
    }
    int AddBegin(const T& v) {
        ArrPrepend(elements, new T(v), count);
        return count;
    }

    T& Get(int i) const {
        Check(i);
        return *elements[i];
    }
    T& Last() const { return Get(count - 1); }
    void Set(int i, const T& v) {
        Check(i);
        *elements[i] = v;
    }
    void SetAt(int i, const T& v) { Set(i, v); }
    int Size() const { return count; }

    int Find(const T& v, int from = 0) const {
        for (int i = from < 0 ? 0 : from; i < count; ++i)
            if (VectorEqual(*elements[i], v)) return i;
        return -1;
    }
    bool Contains(const T& v) const { return Find(v, 0) != -1; }

    void Remove(const T& v) {
        int at = Find(v, 0);
        if (at >= 0) RemoveAt(at);
    }
    void RemoveAt(int i) {
        Check(i);
        T* gone = elements[i];
        ArrRemoveAt(elements, count, i);
        delete gone;
    }
    void Swap(int i, int j) {
        Check(i);
        Check(j);
        SwapValues(elements[i], elements[j]);
    }

    void Free() { ArrResize(elements, count, -count); }

    int Fill(int n, const T& v) {
        Free();
        for (int i = 0; i < n; ++i) Add(v);
        return count;
    }
    int Resize(int n, const T& v) { return Fill(n, v); }

    // Shuffles with the engine's random source.
    void Hash();

    // Selection sort; descending is the ascending order reversed. Strings:
    // a proper prefix counts as the greater (ab, abc, b sorts abc, ab, b).
    void Sort(bool ascending) {
        for (int i = 0; i < count; ++i) {
            int m = i;
            for (int j = i + 1; j < count; ++j)
                if (VectorCompare(*elements[m], *elements[j]) < 0) m = j;
            if (m != i) SwapValues(elements[i], elements[m]);
        }
        if (!ascending) Reverse();
    }
    void Reverse() {
        for (int i = 0; i < count / 2; ++i) SwapValues(elements[i], elements[count - 1 - i]);
    }

    // Writes "ddvector : " and every element followed by ", ".
    void Print() const;

    // Returns the count written, or -1 when the file could not be saved.
    int Save(const char* path) const {
        std::string text = std::to_string(count);
        text += '\n';
        std::string item;
        for (int i = 0; i < count; ++i) {
            VectorFormat(*elements[i], item);
            text += item;
            text += '\n';
        }
        return VectorWriteFile(path, text) ? count : -1;
    }

    // Replaces the list with the file's elements; -1 when it cannot be
    // opened. Returns the number of elements loaded, never more than the
    // file holds.
    int LoadFromFile(const char* path) {
        Free();
        std::vector<std::string> items;
        if (!VectorReadFile(path, std::is_same_v<T, ddString>, items)) return -1;
        T v{};
        for (const std::string& s : items) {
            VectorParse(s, v);
            Add(v);
        }
        return count;
    }

private:
    void Check(int i) const {
        if (i < 0 || i >= count) VectorWrongPos(i);
    }

    int count = 0;
    T** elements = nullptr;
};

extern template class ddVector<ddString>;
extern template class ddVector<float>;
extern template class ddVector<int>;
