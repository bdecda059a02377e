new img, pic
push "nosuch"
call pic, blit
