new string, s
sub s, 1
