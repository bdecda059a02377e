mov a b
