new nosuch, x
