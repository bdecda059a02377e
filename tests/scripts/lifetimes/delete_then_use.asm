new int, x
delete x
call x, print
