new path, m
