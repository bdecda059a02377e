push "abc
