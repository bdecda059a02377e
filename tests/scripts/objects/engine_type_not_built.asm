new menu, m
