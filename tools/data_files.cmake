# What the generator writes: the files the game reads from its working folder (the 28
# pictures and two sounds), then the icons of the desktop, of Windows and of the installed
# page (192 and 512 pixels, and one a phone may crop to its own shape), and the Windows
# installer's pictures.
set(TRELVANE_GAME_FILES
  texture_sky.jpg texture_tank.jpg texture_object.jpg texture_bullet.jpg
  screen_begin.jpg screen_death.jpg screen_victory.jpg
  number_0.jpg number_1.jpg number_2.jpg number_3.jpg number_4.jpg
  number_5.jpg number_6.jpg number_7.jpg number_8.jpg number_9.jpg
  number_-.jpg number_Slash.jpg number_%.jpg number_Decimal.jpg
  text_Score.jpg text_Lives.jpg text_Tanks.jpg text_Level.jpg
  text_Accuracy.jpg text_FPS.jpg text_Turbo.jpg
  shoot.wav explode.wav)
set(TRELVANE_DATA_FILES ${TRELVANE_GAME_FILES}
  icons/trelvane-48.png icons/trelvane-128.png icons/trelvane-256.png icons/trelvane.ico
  icons/trelvane-192.png icons/trelvane-512.png icons/trelvane-maskable-512.png
  icons/installer-welcome.bmp icons/installer-header.bmp)
