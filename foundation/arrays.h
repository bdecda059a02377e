// Pointer arrays held by their owner as two members: the array and a count.
// Only a resize that empties the array deletes its elements; every other
// removal leaves them to the caller.
#pragma once

#include <cstring>
#include <utility>

template <typename T>
void ArrResize(T**& array, int& count, int delta) {
    if (!array) {
        if (delta > 0) {
            count = delta;
            array = new T*[delta]();
        }
        return;
    }
    if (count + delta < 1) {
        if (count > 0) {
            for (int i = 0; i < count; ++i) {
                delete array[i];
                array[i] = nullptr;
            }
        }
        delete[] array;
        array = nullptr;
        count = 0;
        return;
    }
    T** grown = new T*[count + delta]();
    if (delta < 1) {
        count += delta;
        std::memcpy(grown, array, sizeof(T*) * static_cast<size_t>(count));
    } else {
        std::memcpy(grown, array, sizeof(T*) * static_cast<size_t>(count));
        count += delta;
    }
    delete[] array;
    array = grown;
}

template <typename T>
void ArrInsertAt(T**& array, T* value, int& count, int pos) {
    if (pos < 0 || pos > count) return;
    ArrResize(array, count, 1);
    for (int i = count - 1; i > pos; --i) array[i] = array[i - 1];
    array[pos] = value;
}

template <typename T>
void ArrAppend(T**& array, T* value, int& count) {
    ArrInsertAt(array, value, count, count);
}

template <typename T>
void ArrPrepend(T**& array, T* value, int& count) {
    ArrInsertAt(array, value, count, 0);
}

template <typename T>
int ArrFind(T** array, int count, const T* value) {
    if (!array || count < 1) return -1;
    for (int i = 0; i < count; ++i)
        if (array[i] == value) return i;
    return -1;
}

template <typename T>
bool ArrContains(T** array, int count, const T* value) {
    return ArrFind(array, count, value) != -1;
}

template <typename T>
void ArrRemoveAt(T**& array, int& count, int pos) {
    if (!array || pos < 0 || pos >= count) return;
    T** rest = nullptr;
    if (count > 1) {
        rest = new T*[count - 1];
        for (int i = 0, j = 0; i < count; ++i)
            if (i != pos) rest[j++] = array[i];
    }
    delete[] array;
    array = rest;
    --count;
}

template <typename T>
void ArrRemoveValue(T**& array, int& count, const T* value) {
    int at = ArrFind(array, count, value);
    if (at >= 0) ArrRemoveAt(array, count, at);
}

template <typename T>
void SwapValues(T& a, T& b) {
    std::swap(a, b);
}

// Recursive quicksort over [lo, hi). less(pivot, x) is true when x belongs
// before the pivot. Not stable.
template <typename T, typename Less>
void ArrQuickSort(int lo, int hi, T** array, Less less) {
    while (lo < hi) {
        int mid = (lo + hi) / 2;
        SwapValues(array[mid], array[lo]);
        int last = lo;
        for (int i = lo + 1; i < hi; ++i) {
            if (less(array[lo], array[i])) {
                ++last;
                SwapValues(array[i], array[last]);
            }
        }
        SwapValues(array[lo], array[last]);
        // Recurse into the smaller side, loop over the larger: bounded depth.
        if (last - lo < hi - last - 1) {
            ArrQuickSort(lo, last, array, less);
            lo = last + 1;
        } else {
            ArrQuickSort(last + 1, hi, array, less);
            hi = last;
        }
    }
}
